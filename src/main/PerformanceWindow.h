#pragma once
// "Performance": the mean effective pressure of each end and of the whole
// cylinder against cut-off over the 21 settings of the sweep at several
// speeds, and the indicated power and steam rate against speed at the
// diagram positions. The user edits the speeds and presses "Compute"; the
// map is computed on a worker thread, on every core, with progress and
// Cancel. "Save Picture…", "Print…" and "Save CSV…" (the figures).

#include "diagrams/SteamPictures.h"
#include "model/Model.h"
#include "steam/Conditions.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace corvellan {

class CanvasView;
class ConditionsStore;
class PictureCommands;
class StudyRunner;
struct StudyControls;

class TPerformance : public QWidget {
    Q_OBJECT
  public:
    TPerformance(Model& model, ConditionsStore& conditions, QWidget* parent);
    ~TPerformance() override;

    // Starts computing; false with the reason in the status line when the
    // speeds or the conditions are bad, or while one runs.
    bool start();
    void cancel();
    bool running() const;
    bool hasResult() const { return haveResult_; }
    const PerformanceChart& result() const { return chart_; }

    QLineEdit* speeds() const { return speeds_; }
    QLabel* status() const;
    CanvasView* chart() const { return view_; }
    PictureCommands& pictures() const { return *pictures_; }
    std::string csvText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool readSpeeds(std::vector<double>& out, QString* error) const;
    void finish();
    void setRunning(bool running);

    Model& m_;
    ConditionsStore& conditions_;
    QLineEdit* speeds_;
    std::unique_ptr<StudyControls> controls_;
    StudyRunner* runner_;
    PictureCommands* pictures_;
    CanvasView* view_;

    // The worker's until it finishes.
    Model copy_;
    steam::Conditions workingConditions_;
    std::vector<double> workingSpeeds_;
    PerformanceChart working_;
    bool workerWhole_ = false;
    std::string failure_;

    PerformanceChart chart_;
    bool haveResult_ = false;
};

} // namespace corvellan
