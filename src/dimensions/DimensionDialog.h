#pragma once
// The frame shared by the frame and cylinder dimension dialogs: a window of
// fixed size whose captions are drawn on its own canvas, a row of dimension
// box and small close-up button per dimension, a reset button and "Close".
//
// Every activation refills the boxes from the model and puts the focus on
// "Close". The boxes commit when they are left; "Close" runs mid gear and asks
// the main window to return its reverse-arm scroll bar to 0; the title-bar
// close box only hides the window. The dialog is reused for the whole run and
// can be shown again at any time (after a dimension close-up, say).
//
// The layout is given for the small text scale. At the large scale the
// caption positions are multiplied by the scale and, so that every caption
// still stands beside its box and nothing is cut off, the boxes, buttons and
// window follow by the same factors.

#include "model/Model.h"

#include <QDialog>
#include <QRect>

#include <vector>

class QPushButton;

namespace corvellan {

class DimensionBox;

struct DimensionRowLayout {
    int code;
    QRect box;
    QRect button; // the small close-up button
    bool gray;    // may become a dynamic variable
};

struct CaptionLayout {
    int x;
    int y;
    const char* text;
    bool fixedX = false; // the x is not multiplied by the text scale
};

struct DimensionDialogLayout {
    const char* name;  // object name, e.g. "TFrameDi"
    const char* title; // window caption
    QSize client;
    std::vector<DimensionRowLayout> rows;
    std::vector<CaptionLayout> captions;
    const char* resetName;
    const char* resetCaption;
    QRect reset;
    QRect close;
};

class DimensionDialog : public QDialog {
    Q_OBJECT
  public:
    DimensionDialog(Model& model, const DimensionDialogLayout& layout, QWidget* parent);
    ~DimensionDialog() override;

    // Box and small button of row i (0-based, in table order: Edit1 is row 0).
    DimensionBox* box(int i) const { return boxes_.at(i); }
    QPushButton* smallButton(int i) const { return buttons_.at(i); }
    int rowCount() const { return static_cast<int>(boxes_.size()); }
    QPushButton* closeButton() const { return close_; }
    QPushButton* resetButton() const { return reset_; }

    // Fills every box from the model, lays the window out for the current
    // text scale and redraws the captions.
    void refresh();
    // Where a caption is drawn at the current text scale.
    QPoint captionPosition(const CaptionLayout& caption) const;
    // The caption as drawn: the layout's runs of blanks assume the classic
    // face's widths, so where this face is wider a run is shortened until the
    // caption ends before the control on its right.
    QString drawnCaption(const CaptionLayout& caption) const;
    const std::vector<CaptionLayout>& captions() const { return layout_.captions; }

  Q_SIGNALS:
    // A small button was clicked: SelectedDimCode holds `code` now. The main
    // view closes this dialog, shows the close-up and opens it again.
    void closeUpRequested(int code);
    // The reverse-arm scroll bar takes Min/Max from gear.RevArmScrollMin/Max.
    void revArmRangeChanged(int min, int max);
    // "Close": the reverse-arm scroll bar returns to 0 (its change handler
    // puts RevArmPos at mid gear).
    void revArmScrollToZero();

  protected:
    // The reset of this dialog without its clearing of undo; returns whether
    // the reverse-arm range changed.
    virtual bool resetDimensions() = 0;
    // Sets the focus chain from `widgets`, in order.
    void setTabChain(const std::vector<QWidget*>& widgets);

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    Model& m_;

  private:
    void runReset();
    void resetClicked();
    void closeClicked();
    void boxCommitted(int code, bool revArmRangeChanged);
    void layoutForTextScale();
    QRect scaled(const QRect& r) const;

    DimensionDialogLayout layout_;
    std::vector<DimensionBox*> boxes_;
    std::vector<QPushButton*> buttons_;
    QPushButton* reset_;
    QPushButton* close_;
};

} // namespace corvellan
