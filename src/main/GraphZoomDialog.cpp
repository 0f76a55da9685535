#include "main/GraphZoomDialog.h"

#include "model/Motion.h"

namespace corvellan {

TGraphZoom::TGraphZoom(Model& model, QWidget* parent)
    : EntryDialog("TGraphZoom", "Set Zoom of Dimensional Graphic Position", {270, 68}, false,
                  parent),
      m_(model) {
    addLabel("Min = 0.5", 4, 4);
    addLabel("Max = 2000.0", 140, 4);
    // The face is a little wider than the one the dialog was laid out for.
    fitWidth(addLabel("Approximate Factor = Locomotive Gauge in Units Used", 4, 20));
    placeEntryRow(42);
}

void TGraphZoom::refresh() {
    edit()->setText(QString::fromStdString(formatFixed(m_.view.GraphicZoom, 4, 2)));
}

void TGraphZoom::apply() {
    m_.view.GraphicZoom = clampToReal(clampGraphicZoom(entry()));
}

} // namespace corvellan
