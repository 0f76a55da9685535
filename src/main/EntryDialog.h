#pragma once
// The frame shared by the small entry dialogs: fixed-size labels, one entry
// box that lets only number keys through, and OK / Cancel. Each activation
// shows the current values and puts the focus on Cancel.

#include "main/KeyFilterEdit.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace corvellan {

class EntryDialog : public QDialog {
    Q_OBJECT
  public:
    EntryDialog(const char* name, const char* caption, QSize size, bool allowMinus,
                QWidget* parent);

    QLineEdit* edit() const { return edit_; }
    void accept() override;

  protected:
    QLabel* addLabel(const QString& text, int x, int y);
    // Shrinks a label's font until it fits in the dialog's width.
    void fitWidth(QLabel* label);
    // Places "Enter", the entry box, OK and Cancel on one row.
    void placeEntryRow(int top);
    void showEvent(QShowEvent* event) override;

    // Fills the labels and the entry box with the current values.
    virtual void refresh() = 0;
    // OK: applies the entry.
    virtual void apply() = 0;

    // The number in the entry box (0 where it does not convert).
    long double entry() const;

  private:
    // Lets through digits, "." and, where allowed, "-"; a second "." or "-"
    // is swallowed.
    KeyFilterEdit* edit_;
    QLabel* enter_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace corvellan
