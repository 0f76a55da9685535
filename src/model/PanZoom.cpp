#include "model/PanZoom.h"

namespace corvellan {

void panVertical(Model& m, Ext increment) {
    ViewTransform& v = m.view.current;
    v.ViewOffsetY = clampToReal(static_cast<Ext>(v.ViewOffsetY) - increment);
}

void panHorizontal(Model& m, Ext increment) {
    ViewTransform& v = m.view.current;
    v.ViewOffsetX = clampToReal(static_cast<Ext>(v.ViewOffsetX) + increment);
}

void zoomView(Model& m, Ext percent) {
    ViewTransform& v = m.view.current;
    const ViewTransform before = v;
    if (v.ViewScale > kMaxViewScale) v.ViewScale = kMaxViewScale;
    Ext scale = v.ViewScale;
    v.ViewScale = clampToReal(scale + scale * percent * 0.01L);
    // A view of scale 0 (only a damaged file can hold one) has no point to keep
    // fixed: leave the offsets rather than divide by zero.
    if (before.ViewScale != 0) {
        const Ext s = v.ViewScale, s0 = before.ViewScale;
        v.ViewOffsetX = clampToReal((static_cast<Ext>(before.ViewOffsetX) - kZoomCentreX) * s / s0 +
                                    kZoomCentreX);
        v.ViewOffsetY = clampToReal((static_cast<Ext>(before.ViewOffsetY) - kZoomCentreY) * s / s0 +
                                    kZoomCentreY);
    }
    if (v.ViewScale < kMinViewScale) v.ViewScale = kMinViewScale;
    if (v.ViewScale > kMaxViewScale) v.ViewScale = kMaxViewScale;
}

void returnToNormalView(Model& m) {
    m.view.saved = m.view.current;
    m.view.current = kNormalView;
}

void takePendingPreset(Model& m) {
    m.view.presets[0] = m.view.current;
}

void recallPreset(Model& m, int k, bool storePending) {
    if (k < 1 || k > 6) return;
    if (storePending) m.view.presets[k] = m.view.presets[0];
    m.view.current = m.view.presets[k];
}

} // namespace corvellan
