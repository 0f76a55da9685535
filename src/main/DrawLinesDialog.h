#pragma once
// TDrawLines, "Draw Lines": defines the user's lines and circles from the two
// reference points and from pivots picked in the main window. Three radio
// groups (type, colour, "Referenced to") that may have no choice, "Draw
// Close", "Clear Line", "Close", and twenty rows, one per item. The rules live
// in the model (OverlayDialog.h); the dialog forwards its events, beeps and
// closes where the rules say, and shows the model's state again.

#include "model/Model.h"
#include "model/SoundSink.h"

#include <QDialog>

#include <array>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace corvellan {

class Canvas;
class OverlayRow;
struct FrameState;

// The red prompt while a pivot is to be picked (a panel hook of the frame).
void drawOverlayPickPrompt(Model& m, Canvas& c);

class TDrawLines : public QDialog {
    Q_OBJECT
  public:
    // The pick prompt is installed in `frame`.
    TDrawLines(Model& model, SoundSink& sound, FrameState& frame, QWidget* parent);

    // The menu item and tool bar button: a beep first when both reference
    // points lie at (0, 0), then the dialog, modally.
    void openFromMenu();

    // "LinesDataClick": every row refilled from the item table (after every
    // file open, also a cancelled one).
    void linesDataClick();
    // The current item's row becomes the aqua one.
    void markCurrentOverlayItem();
    // Empties the type, colour and reference labels of all rows.
    void clearRowLabels();

    OverlayRow* row(int k) const { return rows_[k]; }
    QButtonGroup* typeGroup() const { return groups_[0]; }
    QButtonGroup* colourGroup() const { return groups_[1]; }
    QButtonGroup* referenceGroup() const { return groups_[2]; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QGroupBox* makeGroup(int index, const char* name, const char* title, const QRect& where,
                         const std::vector<const char*>& items, int columns);
    void chosen(int group, int id);
    void outcome(bool beep, bool close);
    // Shows the model's state: the choices, "Draw Close" and the rows (with
    // `forceBoxes`, every box as the model holds it, typing or not).
    void showState(bool forceBoxes = false);

    Model& m_;
    SoundSink& sound_;
    std::array<QButtonGroup*, 3> groups_{};
    std::array<OverlayRow*, kOverlayItems + 1> rows_{}; // [1..20]
    QPushButton* drawClose_ = nullptr;
};

} // namespace corvellan
