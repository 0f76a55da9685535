#pragma once
// "Sweep…": the events over a range of one dimension, or of two, at one
// setting. The user picks the dimensions (the second may be none), their
// ranges and points (each dimension's default balance bounds to begin
// with), the setting and the figure, and presses "Compute"; the grid is
// computed on a worker thread with progress and Cancel. One dimension draws
// the figure as a line against it, two as a shaded map; the current design
// is marked. Another figure is drawn at once from the same computation.

#include "analysis/Sweep.h"
#include "model/Model.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;

namespace corvellan {

class CanvasView;
class PictureCommands;
class StudyRunner;
struct StudyControls;

class TSweep : public QWidget {
    Q_OBJECT
  public:
    TSweep(Model& model, QWidget* parent);
    ~TSweep() override;

    void refill();
    bool start();
    void cancel();

    bool running() const;
    bool hasResult() const { return haveResult_; }
    // The figures of each grid point at the setting, in grid order.
    const std::vector<DesignFigures>& result() const { return figures_; }
    const SweepOptions& sweptOptions() const { return swept_; }

    QComboBox* dimensionChoice(int axis) const { return axes_[axis].dimension; }
    QLineEdit* low(int axis) const { return axes_[axis].low; }
    QLineEdit* high(int axis) const { return axes_[axis].high; }
    QLineEdit* points(int axis) const { return axes_[axis].points; }
    QComboBox* settingChoice() const { return setting_; }
    QComboBox* figureChoice() const { return figure_; }
    CanvasView* chart() const { return chart_; }
    QLabel* status() const;
    PictureCommands& pictures() const { return *pictures_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct Axis {
        QComboBox* dimension;
        QLineEdit* low;
        QLineEdit* high;
        QLineEdit* points;
    };
    void fillBounds(int axis);
    bool readOptions(SweepOptions& o, QString* error) const;
    void finish();
    void draw();
    void setRunning(bool running);

    Model& m_;
    Axis axes_[2];
    QComboBox* setting_;
    QComboBox* figure_;
    CanvasView* chart_;
    std::unique_ptr<StudyControls> controls_;
    StudyRunner* runner_;
    PictureCommands* pictures_;

    Model copy_;
    SweepOptions options_;
    std::vector<DesignFigures> working_; // the worker's until it finishes
    bool workerWhole_ = false;
    SweepOptions swept_;
    std::vector<DesignFigures> figures_;
    DesignFigures current_{};
    std::string direction_;
    bool haveResult_ = false;
};

} // namespace corvellan
