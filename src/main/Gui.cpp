#include "main/Gui.h"

#include "main/MainWindow.h"
#include "main/FileCommands.h"
#include "platform/DataFolders.h"
#include "platform/QtSound.h"
#include "platform/ProgramStyle.h"

#include <QApplication>
#include <QFile>

#include <csignal>

namespace corvellan {

namespace {

// The wave-output volume the program sets when it starts and again when it ends.
constexpr int kWaveVolume = 0x8000;

} // namespace

bool openStartFile(TMainForm& window, const std::string& path) {
    // The earlier version's files are read by their extension, as the
    // command line reads them.
    const QString file = QFile::decodeName(path.c_str());
    return window.files().openPath(file, isDosDimensionPath(file));
}

int runGui(int argc, char** argv, const std::string& dimsFile) {
    // Past a limit on the size of files, a save fails with its reason instead
    // of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    app.setApplicationName("CORVELLAN Outside Admission");
    // One style everywhere, so the small scroll bars and buttons look alike
    // on every desktop.
    app.setStyle(makeProgramStyle());

    QtSound sound(soundFolders(installedDataFolder()));
    Model model;
    TMainForm window(model, sound);
    sound.setWaveVolume(kWaveVolume, kWaveVolume);
    window.show();
    // Opened as "&OpenDimensions" would, once the window is up to carry a
    // report of a file that cannot be read.
    if (!dimsFile.empty()) openStartFile(window, dimsFile);
    int status = app.exec();
    sound.setWaveVolume(kWaveVolume, kWaveVolume);
    return status;
}

} // namespace corvellan
