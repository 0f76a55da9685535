#pragma once
// "Tolerances…": the Monte-Carlo study of gears built within the drawing's
// tolerances and with worn pins, at the diagram positions. The user sets
// the samples, the seed, the pin clearance, the cut-off limit and each
// dimension's tolerance ("Set all" fills the lengths and the angle from the
// two fields above the table), and presses "Compute"; the study runs on a
// worker thread with progress and Cancel. Then a table gives each figure's
// spread at the chosen setting beside the linear estimate of its worst
// case, and the histogram of the chosen figure is drawn ("Save Picture…").
// Bad choices are named in the status line and nothing starts.

#include "analysis/Tolerance.h"
#include "model/Model.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace corvellan {

class CanvasView;
class PictureCommands;
class StudyRunner;
struct StudyControls;

class TTolerance : public QWidget {
    Q_OBJECT
  public:
    TTolerance(Model& model, QWidget* parent);
    ~TTolerance() override;

    // The defaults for the gear as it is now; any earlier result is kept
    // until the next computation.
    void refill();
    // Starts the study; false (with the reason in the status line) when the
    // choices do not make one.
    bool start();
    void cancel();
    void setAllTolerances();

    bool running() const;
    bool hasResult() const { return haveResult_; }
    const ToleranceReport& result() const { return result_; }

    QLineEdit* field(const char* name) const;
    QTableWidget* tolerances() const { return tolerances_; }
    QTableWidget* spread() const { return spread_; }
    QComboBox* settingChoice() const { return setting_; }
    QComboBox* figureChoice() const { return figure_; }
    CanvasView* histogram() const { return histogram_; }
    QLabel* status() const;
    PictureCommands& pictures() const { return *pictures_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool readOptions(ToleranceOptions& o, QString* error) const;
    void finish();
    void showSpread(int setting, int figure);
    void setRunning(bool running);

    Model& m_;
    QLineEdit* samples_;
    QLineEdit* seed_;
    QLineEdit* lengthTolerance_;
    QLineEdit* angleTolerance_;
    QLineEdit* clearance_;
    QLineEdit* limit_;
    QTableWidget* tolerances_;
    QComboBox* setting_;
    QComboBox* figure_;
    QLabel* summary_;
    QTableWidget* spread_;
    CanvasView* histogram_;
    std::unique_ptr<StudyControls> controls_;
    StudyRunner* runner_;
    PictureCommands* pictures_;

    Model copy_;
    ToleranceOptions options_;
    ToleranceReport report_; // the worker's until it finishes
    ToleranceReport result_;
    bool haveResult_ = false;
};

} // namespace corvellan
