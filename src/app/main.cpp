#include "app/Cli.h"
#include "main/Gui.h"

#include <cstring>

namespace {

// A word alone on the line opens the windows on that dimension file when it
// looks like one (a path or a name with an extension); anything else goes to
// the command line, which names an unknown command instead of opening a
// window nobody asked for.
bool looksLikeFile(const char* word) {
    if (word[0] == '-') return false;
    for (const char* name : {"solve", "render", "table", "events", "help"})
        if (std::strcmp(word, name) == 0) return false;
    return std::strchr(word, '.') != nullptr || std::strchr(word, '/') != nullptr ||
           std::strchr(word, '\\') != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 1) return corvellan::runGui(argc, argv, {});
    if (argc == 2 && looksLikeFile(argv[1]))
        return corvellan::runGui(argc, argv, argv[1]);
    return corvellan::runCommandLine(argc, argv);
}
