#pragma once
// TSetRevArm, "Set Reverse Arm Positions": the reverse-arm settings the sine,
// oval and steam diagrams plot, and their vertical scale. The dialog draws its
// legends on its own picture and holds ten borderless boxes; the arithmetic
// (refresh, key filter, clamping on leaving a box) is model code
// (model/DiagramPositions.h), the dialog forwards its events there.

#include "model/Model.h"

#include <QDialog>
#include <QImage>

#include <array>

class QLineEdit;
class QPushButton;

namespace corvellan {

constexpr int kPositionsDialogWidth = 409;
constexpr int kPositionsDialogHeight = 154;

class TSetRevArm : public QDialog {
    Q_OBJECT
  public:
    TSetRevArm(Model& model, QWidget* parent = nullptr);

    // Box 0 is the vertical scale ("Edit0"), 1..9 the slots ("Edit1".."Edit9").
    QLineEdit* box(int index) const { return boxes_[static_cast<size_t>(index)]; }
    QPushButton* closeButton() const { return close_; }
    // The legends as drawn so far.
    const QImage& picture() const { return picture_; }

    // Redraws the legends, makes the slots contiguous, counts them, refills
    // the boxes and shows those in use, and focuses "Close".
    void refresh();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int boxIndex(const QObject* watched) const;
    bool boxKeyPressed(int index, QKeyEvent* event);
    void leaveBox(int index);
    // Typing in slot k's box shows slot k+1: its legend and its box.
    void openSlot(int slot);

    Model& m_;
    QImage picture_;
    std::array<QLineEdit*, 10> boxes_{};
    QPushButton* close_ = nullptr;
};

} // namespace corvellan
