#pragma once
// One dimension box of the frame and cylinder dialogs: a borderless 40 x 13
// edit box, gray where the dimension can become a dynamic variable and white
// where it cannot. It lets only number keys through, turns Enter into a move
// of the focus to the dialog's "Close" button, and commits when it is left.

#include "model/Model.h"

#include <QLineEdit>

namespace corvellan {

class DimensionBox : public QLineEdit {
    Q_OBJECT
  public:
    DimensionBox(Model& model, int code, bool gray, QWidget* parent);

    int code() const { return code_; }
    // Shows the dimension's current value.
    void fill();
    // Where Enter sends the focus.
    void setEnterTarget(QWidget* target) { enterTarget_ = target; }
    // The dialog is going away: losing the focus now commits nothing.
    void detach() { detached_ = true; }

  Q_SIGNALS:
    // The box was left and its value committed; `revArmRangeChanged` tells
    // whether the reverse-arm scroll bar must take a new range.
    void committed(int code, bool revArmRangeChanged);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void commit();
    bool edited() const { return text() != filledText_; }

    Model& m_;
    int code_;
    QWidget* enterTarget_ = nullptr;
    QString filledText_;
    bool detached_ = false;
};

} // namespace corvellan
