#pragma once
// Pan, zoom and presets of the main window: three jog bars that move and
// magnify the view, "Norm" for the normal view, six preset buttons and "P",
// which arms the next preset button to store the view of that moment.

#include "model/JogBar.h"
#include "model/Model.h"

#include <QObject>

#include <array>
#include <functional>

class QPushButton;
class QScrollBar;
class QWidget;

namespace corvellan {

class PanZoomControls : public QObject {
    Q_OBJECT
  public:
    PanZoomControls(Model& model, QWidget* clientArea);

    // "Norm": back to the normal view.
    void norm();
    // Screen data on or off: every control of this group.
    void setShown(bool shown);
    // The pan-and-zoom menu toggle: the three bars alone.
    void setBarsShown(bool shown);

  private:
    QScrollBar* makeJogBar(QWidget* parent, const char* name, int top, int range, const char* hint,
                           JogBar& jog, std::function<void(Ext)> target);
    void presetClicked(int k);
    void pendingClicked();

    Model& m_;
    JogBar panVertJog_ = makePanZoomJogBar();
    JogBar panHorzJog_ = makePanZoomJogBar();
    JogBar zoomJog_ = makePanZoomJogBar();
    QScrollBar* panVert_;
    QScrollBar* panHorz_;
    QScrollBar* zoom_;
    QPushButton* norm_;
    // [0] is "P", [1..6] the preset buttons.
    std::array<QPushButton*, 7> presets_{};
};

} // namespace corvellan
