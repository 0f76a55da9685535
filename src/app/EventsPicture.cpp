// corvellan render events: a picture of the "Valve Events" window as it
// opens on the gear.
#include "app/Commands.h"

#include "app/CliSupport.h"
#include "main/ValveEventsWindow.h"
#include "model/Model.h"
#include "platform/PictureFile.h"
#include "platform/ProgramStyle.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace corvellan {

namespace {

struct EventsPictureOptions {
    std::string dims, out;
    bool sweep = false;
};

int runEventsPicture(const EventsPictureOptions& o) {
    Model m;
    std::string error;
    if (!loadGear(m, o.dims, &error)) return inputError(error);
    // A window needs a widget application; it ends before the program does,
    // as Qt expects of one.
    prepareOffscreen();
    int argc = 1;
    char name[] = "corvellan";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setStyle(makeProgramStyle());
    TValveEvents window(m, nullptr);
    window.showSweep(o.sweep);
    window.show();
    QApplication::processEvents();
    Picture picture;
    picture.size = window.size();
    picture.pixels = [&window] { return window.grab().toImage(); };
    const int status = writePicture(o.out, picture);
    window.hide();
    return status;
}

} // namespace

void addRenderEventsCommand(CommandLine& cli) {
    auto o = std::make_shared<EventsPictureOptions>();
    CLI::App* c = cli.command(
        "events", "Draws the \"Valve Events\" window as it opens on the gear.",
        [o] { return runEventsPicture(*o); }, cli.render());
    addDimsOption(c, o->dims);
    addFlag(c, "--sweep", o->sweep,
            "show the 21-setting sweep (mid gear, 10 % to 100 % of the travel each way) instead "
            "of the diagram positions.");
    // A window is pixels: PNG only.
    addPictureOutput(c, o->out, {"png"});
}

} // namespace corvellan
