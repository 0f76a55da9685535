#pragma once
// The dimension-file commands of the "&File" menu and the tool bar:
// "&OpenDimensions", "Open&DosDimensions" and "Save&AsDimensions". Each asks
// for a file name in a file dialog; a file that cannot be read or written is
// reported in a message box naming the file and the reason, and leaves the
// working state as it was.

#include "model/Model.h"

#include <QObject>
#include <QString>

#include <functional>

class QMainWindow;

namespace corvellan {

class CommandBar;
class MotionControls;

class FileCommands : public QObject {
    Q_OBJECT
  public:
    FileCommands(Model& model, QMainWindow* window, CommandBar& commands, MotionControls& motion);

    void openDimensions();
    void openDosDimensions();
    // True when the dimensions were saved (not cancelled, not failed).
    bool saveAsDimensions();

    // Reads `path` as the open commands do once their dialog has closed: the
    // earlier format when `dos`, else the program's own. Returns whether the
    // file was read; a failure has been reported.
    bool openPath(const QString& path, bool dos);

    // How the draw-lines dialog's rows are refilled from the overlay table
    // (every open of the own format, a cancelled one too). Unset: the rows
    // held in the model are refilled, for the dialog to show when it opens.
    void setOverlayRefill(std::function<void()> run) { overlayRefill_ = std::move(run); }

    // What else is saved with a dimension file and read with it (the
    // operating conditions beside it): run with the file's path after each
    // successful save and open.
    void setCompanions(std::function<void(const std::string& path)> saved,
                       std::function<void(const std::string& path)> opened) {
        saved_ = std::move(saved);
        opened_ = std::move(opened);
    }

  private:
    void buildCommands(CommandBar& commands);
    void afterOpen();
    void refillOverlayRows();
    void reportFailure(const std::string& message);

    Model& m_;
    QMainWindow* window_;
    MotionControls& motion_;
    std::function<void()> overlayRefill_;
    std::function<void(const std::string&)> saved_, opened_;
};

// Whether a path names a file of the earlier version (".oca", any case).
bool isDosDimensionPath(const QString& path);

} // namespace corvellan
