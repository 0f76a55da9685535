#pragma once
// Reference points on the main window: the mode (menu "&ReferPoints" and its
// tool bar button), the four jog bars, the two zero buttons, "RP1" and "RP2",
// and the frame panels round them; and the readout with its crosses, drawn
// into every frame while the mode is on. The model keeps all of it; the
// widgets forward their events and then show the model's state again.

#include "model/RefPoints.h"

#include <QObject>

#include <array>

class QFrame;
class QPushButton;
class QScrollBar;
class QWidget;

namespace corvellan {

class Canvas;
struct FrameState;

// The readout and the crosses at the two points (a panel hook of the frame).
void drawRefPointReadout(Model& m, Canvas& c);

class RefPointControls : public QObject {
    Q_OBJECT
  public:
    // The controls lie on `clientArea`; the readout is installed in `frame`.
    RefPointControls(Model& model, QWidget* clientArea, FrameState& frame);

    // The menu item and tool bar button.
    void toggleMode();
    // Screen data on or off: off ends the mode without the toggle.
    void setScreenData(bool shown);
    // "RP1" / "RP2": the view centres on point k through the pan bars.
    void recentre(int k);
    void zero(int k);

    // Shows the model's state: the mode's controls, the zero buttons and the
    // overlay command that the mode enables. Call after anything that may
    // have changed it.
    void sync();

  Q_SIGNALS:
    // After every sync, for the controls of the modes that hang on this one.
    void synced();

  private:
    void barChanged(QScrollBar* bar, RefBar which, int position);

    Model& m_;
    QWidget* client_;
    std::array<QFrame*, 3> panels_{};    // Panel5, Panel6, Panel11
    std::array<QScrollBar*, 4> bars_{};  // in RefBar order
    std::array<QPushButton*, 3> zero_{}; // [1], [2]
    std::array<QPushButton*, 3> rp_{};   // [1], [2]
};

} // namespace corvellan
