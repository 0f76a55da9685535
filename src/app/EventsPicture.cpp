#include "app/EventsPicture.h"

#include "app/CliSupport.h"
#include "main/ValveEventsWindow.h"
#include "model/Model.h"
#include "platform/PictureFile.h"
#include "platform/ProgramStyle.h"

#include <QApplication>
#include <QWidget>

namespace corvellan {

int renderEventsCommand(const std::vector<std::string>& args) {
    ArgReader in(args);
    std::string dims, out;
    bool sweep = false;
    while (in.more()) {
        const std::string opt = in.next();
        if (opt == "--dims")
            dims = in.value(opt);
        else if (opt == "--sweep")
            sweep = true;
        else if (opt == "-o")
            out = in.value(opt);
        else
            in.fail("unknown option " + opt);
    }
    // A window is pixels: PNG only.
    if (in.ok() && pictureFormatOf(QString::fromStdString(out)) != PictureFormat::Png)
        in.fail("render events needs -o OUT.png");
    if (!in.ok()) return usageError(in.error());

    Model m;
    std::string error;
    if (!loadGear(m, dims, &error)) return inputError(error);
    // A window needs a widget application; it ends before the program does,
    // as Qt expects of one.
    prepareOffscreen();
    int argc = 1;
    char name[] = "corvellan";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QApplication::setStyle(makeProgramStyle());
    TValveEvents window(m, nullptr);
    window.showSweep(sweep);
    window.show();
    QApplication::processEvents();
    Picture picture;
    picture.size = window.size();
    picture.pixels = [&window] { return window.grab().toImage(); };
    const int status = writePicture(out, picture);
    window.hide();
    return status;
}

} // namespace corvellan
