#pragma once
// What a Linux desktop user expects of the program beyond its own commands:
// saving and printing the picture of the main window and of each diagram
// window, saving the pivot data table as CSV, the usual keyboard shortcuts,
// the "Pivot Paths" display, and opening a dimension file dropped on the
// main window. It adds to the windows after they are built and changes none
// of their own commands.
//
// Shortcuts: Ctrl+O "&OpenDimensions", Ctrl+Shift+S "Save&AsDimensions",
// Ctrl+Q "E&xit", F1 "&Instructions", Ctrl+P "Print…", Ctrl+Z the "UnDo"
// button, Space Run/Stop while the picture has the focus; Ctrl+S "Save
// Picture…" in the diagram windows and "Save CSV…" in the data table.

#include "model/Model.h"

#include <QObject>
#include <QString>

#include <vector>

class QMimeData;
class QWidget;

namespace corvellan {

class DiagramWindow;
class PictureCommands;
class TMainForm;

class DesktopCommands : public QObject {
    Q_OBJECT
  public:
    DesktopCommands(Model& model, TMainForm& window);

    // The main window's "Save Picture…" and "Print…".
    PictureCommands& mainPicture() const { return *mainPicture_; }
    // The same commands of a diagram window, or nullptr for another window.
    PictureCommands* diagramPicture(const DiagramWindow* window) const;

    // The data table's "Save CSV…" without its dialog; "" or the reason.
    QString saveTableCsv(const QString& path);

    // The dimension file that dropping `data` would open ("" for none): one
    // local file whose name ends in ".dco" or ".oca", any case.
    static QString droppedDimensionFile(const QMimeData* data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void addMainWindowCommands();
    void addShortcuts();
    void addPivotPathsToggle();
    void addDiagramCommands(DiagramWindow* window);
    void addTableCommands();
    void chooseTableCsv();
    void undo(QWidget* undoButton);

    Model& m_;
    TMainForm& window_;
    // The picture whose key presses run and stop the gear. Held here: while
    // the window is being destroyed its children still send events, and the
    // window can no longer be asked for its central widget.
    QWidget* picture_ = nullptr;
    PictureCommands* mainPicture_ = nullptr;
    std::vector<std::pair<const DiagramWindow*, PictureCommands*>> diagramPictures_;
};

} // namespace corvellan
