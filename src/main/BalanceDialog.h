#pragma once
// "Balance": makes the two cylinder ends of the gear alike. The user ticks
// the dimensions that may change and their bounds, the settings (fractions of
// the normal distance from mid gear) and the weights, and presses "Balance".
// The search runs on a worker thread on a copy of the gear, so the windows
// stay responsive; the dialog shows its evaluations and best objective so far
// and can stop it ("Cancel"). Then it shows the figures before and after and
// says how many "UnDo" presses take the change back; "Apply" stores the new
// values as the dimension dialogs store them, "Discard" leaves the gear as it
// is. Closing the dialog while the search runs stops it and waits for it.

#include "analysis/BalanceSearch.h"
#include "analysis/BalanceText.h"
#include "model/Model.h"

#include <QDialog>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QTimer;

namespace corvellan {

class TBalance : public QDialog {
    Q_OBJECT
  public:
    TBalance(Model& model, QWidget* parent);
    ~TBalance() override;

    // Fills the table from the gear as it is now, with the default choice and
    // bounds, and forgets any earlier result.
    void refill();
    // Starts the search with the dialog's choices; false (with the reason in
    // the status line) when they do not make a problem or the gear cannot be
    // balanced as it is.
    bool start();
    void cancel();
    void apply();
    void discard();

    bool running() const { return worker_.joinable(); }
    bool hasResult() const { return haveResult_; }
    const BalanceReport& result() const { return report_; }
    // The search's limits (tests make them small).
    void setSearchOptions(const BalanceSearchOptions& options) { options_ = options; }

    QTableWidget* table() const { return table_; }
    QLabel* status() const { return status_; }
    QLabel* progressText() const { return progressText_; }
    QPlainTextEdit* resultText() const { return resultText_; }

  Q_SIGNALS:
    // Apply is about to store a balance that changes the gear.
    void aboutToApply();
    // As the dimension dialogs ask when they commit and close.
    void revArmRangeChanged();
    void revArmScrollToZero();

  protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool readProblem(BalanceProblem& p, QString* error) const;
    void objectiveChanged();
    void poll();
    void finish();
    void stopWorker();
    void setRunning(bool running);

    Model& m_;
    QTableWidget* table_;
    QComboBox* objective_;
    QLineEdit* cutOffs_;
    QLineEdit* settings_;
    QLineEdit* weights_[3];
    QLineEdit* leads_[2];
    QPushButton* start_;
    QPushButton* cancel_;
    QPushButton* apply_;
    QPushButton* discard_;
    QProgressBar* progress_;
    QLabel* progressText_;
    QLabel* status_;
    QPlainTextEdit* resultText_;
    QTimer* poll_;

    BalanceSearchOptions options_;
    // The bounds each row was filled with, exactly (the cells show seven
    // figures).
    std::vector<BalanceVariable> exactBounds_;
    // Shared with the worker while it runs; the rest is its alone until it
    // says it is done.
    BalanceProgress shared_;
    std::atomic<bool> workerDone_{false};
    std::thread worker_;
    Model startCopy_;
    std::unique_ptr<BalanceObjective> search_;
    BalanceReport report_;
    std::string note_;
    bool haveResult_ = false;
};

} // namespace corvellan
