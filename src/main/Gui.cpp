#include "main/Gui.h"

#include "main/MainWindow.h"
#include "main/MotionControls.h"
#include "model/DimensionFile.h"
#include "platform/QtSound.h"

#include <QApplication>
#include <QStyleFactory>

#include <iostream>

#ifndef CORVELLAN_DATA_DIR
#define CORVELLAN_DATA_DIR ""
#endif

namespace corvellan {

namespace {

// The wave-output volume the program sets when it starts and again when it ends.
constexpr int kWaveVolume = 0x8000;

void openStartFile(Model& model, TMainForm& window, const std::string& path) {
    // The earlier version's files are read by their extension.
    bool dos =
        path.size() > 4 &&
        QString::fromStdString(path.substr(path.size() - 4)).compare(".oca", Qt::CaseInsensitive) ==
            0;
    FileResult result = dos ? openDosDimensionFile(model, path) : openDimensionFile(model, path);
    if (!result.ok) {
        std::cerr << result.message << '\n';
        return;
    }
    window.motion().applyRevArmRange();
    window.motion().centre();
}

} // namespace

int runGui(int argc, char** argv, const std::string& dimsFile) {
    QApplication app(argc, argv);
    app.setApplicationName("CORVELLAN Outside Admission");
    // One style everywhere, so the small scroll bars and buttons look alike
    // on every desktop.
    app.setStyle(QStyleFactory::create("Fusion"));

    QtSound sound(soundFolders(QString::fromUtf8(CORVELLAN_DATA_DIR)));
    Model model;
    TMainForm window(model, sound);
    sound.setWaveVolume(kWaveVolume, kWaveVolume);
    if (!dimsFile.empty()) openStartFile(model, window, dimsFile);
    window.show();
    int status = app.exec();
    sound.setWaveVolume(kWaveVolume, kWaveVolume);
    return status;
}

} // namespace corvellan
