#include "main/PanelTexts.h"

#include "view/ScreenMath.h"

namespace corvellan {

namespace {

TextStyle styleOf(const PanelText& t, bool bold) {
    TextStyle s;
    s.colour = t.red ? colours::Red : colours::Black;
    s.bold = bold;
    return s;
}

} // namespace

void drawScaledTexts(const Model& m, Canvas& c, const std::vector<PanelText>& texts, bool bold) {
    for (const PanelText& t : texts)
        c.text(textX(m, t.x), textY(m, t.y), t.text, styleOf(t, bold));
}

void drawTextsAt(Canvas& c, const std::vector<PanelText>& texts) {
    for (const PanelText& t : texts)
        c.text(t.x, t.y, t.text, styleOf(t, false));
}

} // namespace corvellan
