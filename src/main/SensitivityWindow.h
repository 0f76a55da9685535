#pragma once
// "Sensitivity": how fast each event figure moves per unit of each of the 36
// dimensions at one setting, computed on a worker thread when the window
// opens and whenever "Compute" is pressed. The "Rates" page holds the table
// (sortable by any column) and, below it, the ranked answer to which
// dimensions bring the front and rear cut-off together and how far each
// would have to move alone; the "Colour map" page draws the same rates as a
// picture, which "Save Picture…" saves. The window is not modal; it works
// on a copy of the gear taken when the computation starts.

#include "analysis/Sensitivity.h"
#include "model/Model.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace corvellan {

class CanvasView;
class PictureCommands;
class StudyRunner;
struct StudyControls;

class TSensitivity : public QWidget {
    Q_OBJECT
  public:
    TSensitivity(Model& model, QWidget* parent);
    ~TSensitivity() override;

    // The settings of the gear as it is now, and a fresh computation.
    void refill();
    bool start();
    void cancel();

    bool running() const;
    bool hasResult() const { return haveResult_; }
    const SettingRates& result() const { return rates_; }

    QComboBox* settingChoice() const { return setting_; }
    QTableWidget* table() const { return table_; }
    QTableWidget* moves() const { return moves_; }
    CanvasView* map() const { return map_; }
    QLabel* status() const;
    PictureCommands& pictures() const { return *pictures_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void finish();
    void fill();
    void setRunning(bool running);

    Model& m_;
    QComboBox* setting_;
    QTableWidget* table_;
    QLabel* difference_;
    QTableWidget* moves_;
    CanvasView* map_;
    std::unique_ptr<StudyControls> controls_;
    StudyRunner* runner_;
    PictureCommands* pictures_;

    Model copy_; // the gear the worker judges
    SensitivityOptions options_;
    SensitivityReport report_; // the worker's until it finishes
    SettingRates rates_;
    bool haveResult_ = false;
};

} // namespace corvellan
