#pragma once
// "Indicator Diagram": the pressure in both ends of the cylinder against the
// piston's travel over the settled revolution, at the current setting or at
// the diagram positions, at the operating conditions' speed, with each end's
// figures in the legend. Not modal: the animation runs on. The window
// computes when it opens and again when the gear, the setting, the diagram
// positions, the conditions or the compared gear change (it looks a few
// times a second, so a running animation does not recompute it); the
// computation runs off the GUI thread. "Save Picture…", "Print…" and
// "Save CSV…" (the loops) as the other windows have them.

#include "model/Model.h"
#include "steam/Indicator.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QRadioButton;
class QTimer;

namespace corvellan {

class CanvasView;
class ConditionsStore;
class PictureCommands;
class StudyRunner;

class TIndicator : public QWidget {
    Q_OBJECT
  public:
    TIndicator(Model& model, ConditionsStore& conditions,
               std::function<const Model*()> comparedGear, QWidget* parent);
    ~TIndicator() override;

    // The diagram positions (true) or the current setting (false).
    void showPositions(bool positions);
    // Starts a computation when what the diagram shows has changed since the
    // last one (or one is wanted and none has been made).
    void recomputeIfChanged();
    bool running() const;
    // Waits for a running computation to finish (for tests and closing).
    void waitForResult();

    bool hasResult() const { return haveResult_; }
    const std::vector<steam::SettingIndicator>& result() const { return result_; }
    const std::vector<steam::SettingIndicator>& comparedResult() const { return compared_; }
    CanvasView* chart() const { return chart_; }
    QLabel* status() const { return status_; }
    PictureCommands& pictures() const { return *pictures_; }
    // The loops as CSV: one row per point of each setting.
    std::string csvText() const;
    bool saveCsv(const QString& path, QString* error) const;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    std::vector<double> inputs() const;
    void start();
    void finish();
    void draw();
    void saveCsvAs();

    Model& m_;
    ConditionsStore& conditions_;
    std::function<const Model*()> comparedGear_;
    QRadioButton* currentChoice_;
    QRadioButton* positionsChoice_;
    QLabel* status_;
    QProgressBar* progress_;
    CanvasView* chart_;
    StudyRunner* runner_;
    PictureCommands* pictures_;
    QTimer* watch_;

    // The worker's until it finishes.
    struct Job;
    std::unique_ptr<Job> job_;
    std::vector<double> computedInputs_;

    std::vector<steam::SettingIndicator> result_, compared_;
    steam::SiConditions si_;
    steam::UnitSystem units_ = steam::UnitSystem::Imperial;
    std::string comparedName_;
    bool haveResult_ = false;
};

} // namespace corvellan
