#include "main/PanZoomControls.h"

#include "main/Controls.h"
#include "model/PanZoom.h"

#include <QPushButton>
#include <QScrollBar>

namespace corvellan {

PanZoomControls::PanZoomControls(Model& model, QWidget* clientArea)
    : QObject(clientArea), m_(model) {
    QWidget* p = clientArea;
    panVert_ = makeJogBar(p, "SBPanVert", 26, 500, "Pan Vertical", panVertJog_, [this](Ext inc) {
        norm_->setEnabled(true);
        panVertical(m_, inc);
    });
    panHorz_ = makeJogBar(p, "SBPanHorz", 40, 500, "Pan Horizontal", panHorzJog_, [this](Ext inc) {
        norm_->setEnabled(true);
        panHorizontal(m_, inc);
    });
    zoom_ = makeJogBar(p, "SBZoom", 54, 200, "Zoom In / Out", zoomJog_, [this](Ext inc) {
        norm_->setEnabled(true);
        zoomView(m_, inc);
    });
    norm_ = makeButton(p, "NormVHZ", "Norm", {33, 39, 42, 14}, "Return Pan & Zoom to Normal");
    norm_->setEnabled(false);
    connect(norm_, &QPushButton::clicked, this, &PanZoomControls::norm);

    for (int k = 1; k <= 6; ++k) {
        QRect where = k <= 5 ? QRect(5 + 14 * (k - 1), 25, 14, 14) : QRect(5, 39, 14, 14);
        QByteArray name = "Preset" + QByteArray::number(k);
        QByteArray hint = "Pan & Zoom to Preset " + QByteArray::number(k);
        presets_[k] = makeButton(p, name.constData(), QByteArray::number(k).constData(), where,
                                 hint.constData());
        connect(presets_[k], &QPushButton::clicked, this, [this, k] { presetClicked(k); });
    }
    presets_[0] = makeButton(p, "Preset0", "P", {19, 39, 14, 14}, "Select First to Change Presets");
    connect(presets_[0], &QPushButton::clicked, this, &PanZoomControls::pendingClicked);
}

QScrollBar* PanZoomControls::makeJogBar(QWidget* parent, const char* name, int top, int range,
                                        const char* hint, JogBar& jog,
                                        std::function<void(Ext)> target) {
    QScrollBar* bar =
        makeScrollBar(parent, name, {76, top, 121, 12}, {-range, range, 1, 10, 0}, hint);
    // Every change becomes an increment and the bar returns to rest; the
    // return is itself a change, which the jog bar turns into nothing.
    connect(bar, &QScrollBar::valueChanged, this, [bar, &jog, target](int position) {
        target(jog.changed(position));
        bar->setValue(0);
    });
    return bar;
}

void PanZoomControls::norm() {
    // The bars rest at 0 already; the writes only make sure of it.
    panVert_->setValue(0);
    panHorz_->setValue(0);
    zoom_->setValue(0);
    returnToNormalView(m_);
    norm_->setEnabled(false);
    presets_[0]->setEnabled(true);
}

void PanZoomControls::setShown(bool shown) {
    setBarsShown(shown);
    norm_->setVisible(shown);
    for (QPushButton* b : presets_)
        b->setVisible(shown);
}

void PanZoomControls::setBarsShown(bool shown) {
    panVert_->setVisible(shown);
    panHorz_->setVisible(shown);
    zoom_->setVisible(shown);
}

void PanZoomControls::presetClicked(int k) {
    bool armed = !presets_[0]->isEnabled();
    recallPreset(m_, k, armed);
    norm_->setEnabled(true);
    presets_[0]->setEnabled(true);
}

void PanZoomControls::pendingClicked() {
    takePendingPreset(m_);
    presets_[0]->setEnabled(false);
    norm_->setEnabled(true);
}

} // namespace corvellan
