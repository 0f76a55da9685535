#pragma once
// Comparing the gear with another: "Compare With…" in the "&File" menu opens
// a second dimension file (own or earlier format) as gear B, read-only
// beside the current gear A, and shows the "Compare" window; "Stop Comparing"
// ends it. While B is loaded the four diagram windows draw it over A, and
// "Compare" in the "Draw&Graphs" menu shows the window again. Loading B never
// changes A; a file that cannot be read is reported as "&OpenDimensions"
// reports it and leaves the comparison as it was.

#include "model/Model.h"

#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QMainWindow;

namespace corvellan {

class DiagramCommands;
class TCompare;

class CompareCommands : public QObject {
    Q_OBJECT
  public:
    CompareCommands(Model& model, QMainWindow* window, DiagramCommands& diagrams);
    ~CompareCommands() override;

    // Gear B, or nullptr while nothing is compared.
    const Model* gearB() const { return gearB_.get(); }
    TCompare* window() const { return window_; }

    // "Compare With…": asks for a file, then compares with it.
    void compareWith();
    // Reads `path` as gear B (a ".oca" file as the earlier format) and shows
    // the "Compare" window. Returns whether it was read; a failure has been
    // reported.
    bool compareWithPath(const QString& path);
    void stopComparing();
    void openWindow();

  private:
    void buildCommands(QMainWindow* window);
    void setGearB(std::unique_ptr<Model> gear);

    QMainWindow* mainWindow_;
    std::unique_ptr<Model> gearB_;
    TCompare* window_;
    QAction* stop_ = nullptr;
    QAction* show_ = nullptr;
};

} // namespace corvellan
