// The command line's frame: the commands' declarations (CLI11), the help
// written from them, parsing, and CLI11's complaints said in one line in the
// program's own words.
#include "app/CliSupport.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace corvellan {

namespace {

constexpr std::size_t kWidth = 79; // of the help's lines
constexpr std::size_t kPurposeColumn = 33;

bool isHelpOption(const CLI::Option* o) {
    return o->check_lname("help");
}

bool isFlag(const CLI::Option* o) {
    return o->get_expected_max() == 0;
}

// "--dims FILE", "--sweep", "A.dco".
std::string optionWithValue(const CLI::Option* o) {
    if (o->get_positional()) return o->get_type_name();
    if (isFlag(o)) return o->get_name();
    return o->get_name() + " " + o->get_type_name();
}

std::vector<const CLI::Option*> declaredOptions(const CLI::App* c) {
    return c->get_options([](const CLI::Option* o) { return !isHelpOption(o); });
}

std::vector<const CLI::App*> subcommandsOf(const CLI::App* c) {
    return c->get_subcommands([](const CLI::App*) { return true; });
}

// The usage items of a command: an optional option in brackets, two options
// that exclude each other side by side ("[--json | --csv]").
std::vector<std::string> usageItems(const CLI::App* c) {
    std::vector<std::string> items;
    const std::vector<const CLI::Option*> options = declaredOptions(c);
    for (std::size_t i = 0; i < options.size(); ++i) {
        const CLI::Option* o = options[i];
        std::string item = optionWithValue(o);
        while (i + 1 < options.size()) {
            const auto excluded = o->get_excludes();
            const CLI::Option* next = options[i + 1];
            if (excluded.count(const_cast<CLI::Option*>(next)) == 0) break;
            item += " | " + optionWithValue(next);
            o = next;
            ++i;
        }
        items.push_back(o->get_required() ? item : "[" + item + "]");
    }
    return items;
}

// Words laid out in lines of kWidth, the first starting with `first`, the
// others indented by `indent`.
std::string wrapped(const std::vector<std::string>& words, const std::string& first,
                    std::size_t indent) {
    std::string out = first, line = first;
    bool lineEmpty = true;
    for (const std::string& w : words) {
        if (!lineEmpty && line.size() + 1 + w.size() > kWidth) {
            out += "\n";
            line = std::string(indent, ' ');
            out += line;
            lineEmpty = true;
        }
        const std::string piece = lineEmpty ? w : " " + w;
        out += piece;
        line += piece;
        lineEmpty = false;
    }
    return out + "\n";
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::string usageLine(const CLI::App* c) {
    const std::string head = "  " + commandPath(c);
    return wrapped(usageItems(c), head + " ", 19);
}

// "  name   text" with the text wrapped beside the name's column.
std::string describedItem(const std::string& name, const std::string& text, std::size_t column) {
    std::string first = "  " + name;
    if (first.size() + 1 < column)
        return wrapped(wordsOf(text), first + std::string(column - first.size(), ' '), column);
    // A name too long for its column stands on a line of its own.
    return first + "\n" + wrapped(wordsOf(text), std::string(column, ' '), column);
}

std::string optionHelp(const CLI::Option* o, std::size_t column) {
    std::string text = o->get_description();
    const std::string byDefault = o->get_default_str();
    if (!byDefault.empty()) text += " Default: " + byDefault + ".";
    return describedItem(optionWithValue(o), text, column);
}

std::string leafHelp(const CLI::App* c) {
    std::string out = "usage:\n" + usageLine(c) + "\n";
    out += wrapped(wordsOf(c->get_description()), "", 0);
    std::size_t column = 0;
    for (const CLI::Option* o : declaredOptions(c))
        column = std::max(column, optionWithValue(o).size());
    column = std::min<std::size_t>(column + 5, 26);
    out += "\noptions:\n";
    for (const CLI::Option* o : declaredOptions(c))
        out += optionHelp(o, column);
    out += describedItem("-h, --help", "print this help", column);
    const std::string footer = c->get_footer();
    if (!footer.empty()) {
        std::istringstream paragraphs(footer);
        for (std::string paragraph; std::getline(paragraphs, paragraph);)
            out += "\n" + wrapped(wordsOf(paragraph), "", 0);
    }
    return out;
}

// The usage lines of every command beneath `c`, depth first.
void usageLines(const CLI::App* c, std::string& out) {
    for (const CLI::App* sub : subcommandsOf(c)) {
        if (subcommandsOf(sub).empty())
            out += usageLine(sub);
        else
            usageLines(sub, out);
    }
}

void purposes(const CLI::App* c, std::string& out) {
    for (const CLI::App* sub : subcommandsOf(c)) {
        if (subcommandsOf(sub).empty()) {
            std::string name = commandPath(sub).substr(std::string("corvellan ").size());
            out += describedItem(name, sub->get_description(), 20);
        } else {
            purposes(sub, out);
        }
    }
}

std::string groupHelp(const CLI::App* c, bool top) {
    std::string out = "usage:\n";
    if (top) {
        out += describedItem("corvellan", "open the simulator window", kPurposeColumn);
        out += describedItem("corvellan FILE.dco", "open the simulator on a dimension file",
                             kPurposeColumn);
    }
    usageLines(c, out);
    if (top) out += describedItem("corvellan --version", "print the version", kPurposeColumn);
    out += "\n" + wrapped(wordsOf(c->get_description()), "", 0) + "\n";
    purposes(c, out);
    out += "\n\"" + commandPath(c) + (top ? " COMMAND" : " PICTURE") +
           " --help\" explains each option, its default and its unit.\n";
    return out;
}

const CLI::Option* optionNamed(const CLI::App* c, const std::string& name) {
    for (const CLI::Option* o : declaredOptions(c))
        if (o->get_name() == name || (o->get_positional() && o->get_type_name() == name)) return o;
    return nullptr;
}

std::string lastWord(const std::string& text) {
    const std::size_t space = text.rfind(' ');
    return space == std::string::npos ? text : text.substr(space + 1);
}

// The commands parsed, outermost first.
std::vector<const CLI::App*> parsedPath(const CLI::App* top) {
    std::vector<const CLI::App*> path{top};
    for (;;) {
        const auto parsed = path.back()->get_subcommands();
        if (parsed.empty()) return path;
        path.push_back(parsed.front());
    }
}

} // namespace

std::string commandPath(const CLI::App* command) {
    std::string path;
    for (const CLI::App* c = command; c; c = c->get_parent())
        path = c->get_name() + (path.empty() ? "" : " " + path);
    return path;
}

CommandLine::CommandLine()
    : app_("Simulates a steam locomotive's radial valve gear driving an outside-admission "
           "piston valve. Lengths are in the gear's own unit (whatever the dimension file "
           "uses); angles in degrees; forward settings of the reverse arm lie below mid gear.",
           "corvellan") {
    app_.set_help_flag("-h,--help", "print this help");
    app_.add_flag("--version", "print the version");
    // One command a run: a second command's name is a word the first does
    // not take, never a command run or dropped.
    app_.require_subcommand(0, 1);
}

CLI::App* CommandLine::render() {
    if (render_) return render_;
    render_ = command("render", "Draws one picture exactly as its window would, without a display.",
                      [this] {
                          std::string names;
                          for (const CLI::App* sub : subcommandsOf(render_))
                              names += (names.empty() ? "" : ", ") + sub->get_name();
                          return usageError("render needs a picture: " + names);
                      });
    render_->require_subcommand(0, 1);
    return render_;
}

CLI::App* CommandLine::command(const std::string& name, const std::string& purpose,
                               std::function<int()> run, CLI::App* parent) {
    CLI::App* c = (parent ? parent : &app_)->add_subcommand(name, purpose);
    runs_[c] = std::move(run);
    return c;
}

std::string CommandLine::help(const CLI::App* command) const {
    if (command == &app_ || !subcommandsOf(command).empty())
        return groupHelp(command, command == &app_);
    return leafHelp(command);
}

namespace {

// A complaint of the parser in the program's words, about `where`.
std::string explain(const CLI::ParseError& e, const CLI::App* where, const CLI::App* top,
                    const CLI::App* render) {
    const std::string what = e.what();
    // "render sine": the command without the program's name.
    const std::string full = commandPath(where);
    const std::string path = where == top ? full : full.substr(full.find(' ') + 1);
    if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
        // The words left over, latest first: the first of them is the last.
        const std::string word = lastWord(what.substr(what.find(": ") + 2));
        if (word.size() > 1 && word[0] == '-')
            return "unknown option " + word + (where == top ? "" : " of " + path);
        if (where == top) return "unknown command " + word;
        if (where == render) return "unknown picture " + word;
        return path + " takes no further argument: " + word;
    }
    if (dynamic_cast<const CLI::RequiredError*>(&e)) {
        const std::string name = what.substr(0, what.find(" is required"));
        if (const CLI::Option* o = optionNamed(where, name))
            return path + " needs " + optionWithValue(o);
        return what;
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
        const std::string name = what.substr(0, what.find(':'));
        if (what.find("At Most") != std::string::npos) return name + " is given more than once";
        if (what.size() > 8 && what.compare(what.size() - 8, 8, " missing") == 0)
            return name + " needs a value";
        return what;
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&e)) {
        const std::size_t at = what.find(" excludes ");
        if (at != std::string::npos)
            return "choose one of " + what.substr(0, at) + " and " + what.substr(at + 10);
    }
    return what;
}

} // namespace

int CommandLine::run(const std::vector<std::string>& args) {
    // Asked for help anywhere, a command prints its own: the command is named
    // by the leading words.
    const auto end = std::find(args.begin(), args.end(), "--");
    if (std::find(args.begin(), end, "--help") != end ||
        std::find(args.begin(), end, "-h") != end) {
        const CLI::App* c = &app_;
        for (const std::string& word : args) {
            const auto subs = subcommandsOf(c);
            const auto sub = std::find_if(subs.begin(), subs.end(),
                                          [&](const CLI::App* s) { return s->get_name() == word; });
            if (sub == subs.end()) break;
            c = *sub;
        }
        std::cout << help(c);
        return 0;
    }
    // No words: the nominal gear, solved.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    if (reversed.empty()) reversed.push_back("solve");
    try {
        app_.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const std::vector<const CLI::App*> path = parsedPath(&app_);
        const CLI::App* where = path.back();
        // The parser names the command that was left with words it could not
        // place; it is one of those parsed.
        for (const CLI::App* c : path)
            if (c->get_name() == e.get_name()) where = c;
        std::cerr << "corvellan: " << explain(e, where, &app_, render_) << " (\""
                  << commandPath(where) << " --help\" shows the usage)\n";
        return 2;
    }
    const CLI::App* chosen = parsedPath(&app_).back();
    if (chosen == &app_) {
        if (app_.count("--version") > 0) {
            std::cout << "corvellan " << CORVELLAN_VERSION << "\n";
            return 0;
        }
        return usageError("name a command");
    }
    return runs_.at(chosen)();
}

} // namespace corvellan
