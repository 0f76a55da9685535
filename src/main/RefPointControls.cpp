#include "main/RefPointControls.h"

#include "main/Controls.h"
#include "main/PanelTexts.h"
#include "view/DrawHelpers.h"
#include "view/MechanismView.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>

namespace corvellan {

namespace {

constexpr int kCrossHalf = 10; // each stroke of a cross is 20 pixels

QFrame* makePanel(QWidget* parent, const char* name, const QRect& where) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(where);
    // A frame round controls: the picture shows through and clicks pass.
    panel->setAttribute(Qt::WA_TransparentForMouseEvents);
    panel->hide();
    return panel;
}

// In the view's 64-bit pixels: a point far off the picture sits at the ends
// of the int range, where the cross's arms would overflow.
void drawCross(Canvas& c, ScreenPoint p, const char* label) {
    drawLine(c, {p.x - kCrossHalf, p.y}, {p.x + kCrossHalf, p.y});
    drawLine(c, {p.x, p.y - kCrossHalf}, {p.x, p.y + kCrossHalf});
    if (known(p)) drawText(c, p.x + 3, p.y - 17, label, TextStyle{});
}

} // namespace

void drawRefPointReadout(Model& m, Canvas& c) {
    if (!m.refPoints.mode) return;
    c.setPen(colours::Black, m.display.lineWidth);
    drawCross(c, pivotPoint(m, 19), "1");
    drawCross(c, pivotPoint(m, 20), "2");
    drawScaledTexts(m, c, refPointReadout(m));
}

RefPointControls::RefPointControls(Model& model, QWidget* clientArea, FrameState& frame)
    : QObject(clientArea), m_(model), client_(clientArea) {
    QWidget* p = clientArea;
    // The panels first, so the controls lie above them.
    panels_[0] = makePanel(p, "Panel5", {3, 70, 140, 25});
    panels_[1] = makePanel(p, "Panel6", {3, 94, 140, 26});
    panels_[2] = makePanel(p, "Panel11", {141, 68, 107, 52});

    struct BarSpec {
        const char* name;
        int top;
        int range;
        const char* hint;
    };
    const BarSpec specs[4] = {{"SBRef1Vert", 72, 5000, "Change Ref Point 1 Vert"},
                              {"SBRef1Horz", 84, 10000, "Change Ref Point 1 Horz"},
                              {"SBRef2Vert", 96, 5000, "Change Ref Point 2 Vert"},
                              {"SBRef2Horz", 108, 10000, "Change Ref Point 2 Horz"}};
    for (int i = 0; i < 4; ++i) {
        const BarSpec& s = specs[i];
        QScrollBar* bar = makeScrollBar(p, s.name, {20, s.top, 121, 10},
                                        {-s.range, s.range, kRefJogSmall, kRefJogLarge, 0}, s.hint);
        bar->hide();
        const auto which = static_cast<RefBar>(i);
        connect(bar, &QScrollBar::valueChanged, this,
                [this, bar, which](int position) { barChanged(bar, which, position); });
        bars_[i] = bar;
    }

    zero_[1] = makeButton(p, "RefPt1Zero", "0", {5, 72, 14, 23}, "Zero Reference Point 1");
    zero_[2] = makeButton(p, "RefPt2Zero", "0", {5, 95, 14, 23}, "Zero Reference Point 2");
    rp_[1] = makeButton(p, "RefPt1", "RP1", {5, 53, 35, 14}, "Pan to Ref Point 1");
    rp_[2] = makeButton(p, "RefPt2", "RP2", {40, 53, 35, 14}, "Pan to Ref Point 2");
    for (int k : {1, 2}) {
        zero_[k]->setFont(sansFont(11, true));
        zero_[k]->hide();
        connect(zero_[k], &QPushButton::clicked, this, [this, k] { zero(k); });
        connect(rp_[k], &QPushButton::clicked, this, [this, k] { recentre(k); });
    }

    frame.panels.referencePoints = drawRefPointReadout;
    sync();
}

void RefPointControls::toggleMode() {
    toggleRefPointMode(m_);
    sync();
}

void RefPointControls::setScreenData(bool shown) {
    if (!shown) setRefPointMode(m_, false);
    for (int k : {1, 2})
        rp_[k]->setVisible(shown);
    QWidget* window = client_->window();
    for (const char* name : {"RefPoints", "SetPivotData"})
        if (auto* item = window->findChild<QAction*>(name)) item->setEnabled(shown);
    if (auto* item = window->findChild<QAction*>("RefPoints1")) item->setVisible(shown);
    sync();
}

void RefPointControls::barChanged(QScrollBar* bar, RefBar which, int position) {
    refBarChanged(m_, which, position);
    // Back to rest; that write is itself a change, which yields nothing.
    bar->setValue(0);
    sync();
}

void RefPointControls::zero(int k) {
    zeroRefPoint(m_, k);
    const int first = k == 1 ? 0 : 2;
    bars_[first]->setValue(0);
    bars_[first + 1]->setValue(0);
    sync();
}

void RefPointControls::recentre(int k) {
    const RecentreTarget t = recentreOnRefPoint(m_, k);
    m_.view.current.ViewOffsetX = t.offsetX;
    m_.view.current.ViewOffsetY = t.offsetY;
    // The pan bars are jog bars: each write moves the view by one increment
    // more and the bar returns to rest.
    if (auto* bar = client_->findChild<QScrollBar*>("SBPanHorz")) bar->setValue(t.panHorz);
    if (auto* bar = client_->findChild<QScrollBar*>("SBPanVert")) bar->setValue(t.panVert);
}

void RefPointControls::sync() {
    const bool on = m_.refPoints.mode;
    for (QScrollBar* bar : bars_)
        bar->setVisible(on);
    for (QFrame* panel : panels_)
        panel->setVisible(on);
    for (int k : {1, 2}) {
        zero_[k]->setVisible(on);
        zero_[k]->setEnabled(m_.refPoints.zeroEnabled[k]);
        rp_[k]->setEnabled(on);
    }
    QWidget* window = client_->window();
    for (const char* name : {"DrawLines1", "ToolDrawLines"})
        if (auto* item = window->findChild<QAction*>(name)) item->setEnabled(on);
    Q_EMIT synced();
}

} // namespace corvellan
