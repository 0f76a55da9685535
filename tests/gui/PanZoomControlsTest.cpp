#include "GuiTestSupport.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

using namespace corvellan;
using namespace corvellan::test;

namespace {

// Presses and releases the mouse on the right-hand arrow of a scroll bar.
void clickRightArrow(QScrollBar* bar) { clickScrollBarPart(bar, QStyle::SC_ScrollBarAddLine); }

} // namespace

TEST_F(MainWindowTest, PanAndZoomControlsStartAtRest) {
    struct {
        const char* name;
        int top, range;
        const char* hint;
    } bars[] = {{"SBPanVert", 26, 500, "Pan Vertical"},
                {"SBPanHorz", 40, 500, "Pan Horizontal"},
                {"SBZoom", 54, 200, "Zoom In / Out"}};
    for (const auto& e : bars) {
        QScrollBar* b = bar(e.name);
        EXPECT_EQ(b->geometry(), QRect(76, e.top, 121, 12)) << e.name;
        EXPECT_EQ(b->minimum(), -e.range) << e.name;
        EXPECT_EQ(b->maximum(), e.range) << e.name;
        EXPECT_EQ(b->singleStep(), 1) << e.name;
        EXPECT_EQ(b->pageStep(), 10) << e.name;
        EXPECT_EQ(b->value(), 0) << e.name;
        EXPECT_EQ(b->toolTip(), e.hint) << e.name;
    }
    EXPECT_EQ(button("NormVHZ")->geometry(), QRect(33, 39, 42, 14));
    EXPECT_EQ(button("NormVHZ")->text(), "Norm");
    EXPECT_FALSE(button("NormVHZ")->isEnabled());
    EXPECT_EQ(button("Preset0")->geometry(), QRect(19, 39, 14, 14));
    EXPECT_EQ(button("Preset0")->text(), "P");
    EXPECT_TRUE(button("Preset0")->isEnabled());
    for (int k = 1; k <= 6; ++k) {
        QPushButton* b = button(("Preset" + std::to_string(k)).c_str());
        QRect where = k <= 5 ? QRect(5 + 14 * (k - 1), 25, 14, 14) : QRect(5, 39, 14, 14);
        EXPECT_EQ(b->geometry(), where) << k;
        EXPECT_EQ(b->text(), QString::number(k));
        EXPECT_EQ(b->toolTip(), QString("Pan & Zoom to Preset %1").arg(k));
    }
    EXPECT_EQ(model.view.current.ViewScale, 28.0f);
    EXPECT_EQ(model.view.current.ViewOffsetX, 140.0f);
    EXPECT_EQ(model.view.current.ViewOffsetY, 270.0f);
}

TEST_F(MainWindowTest, PanArrowAndTroughClicksMoveByATenthAndAWholePixel) {
    QScrollBar* horz = bar("SBPanHorz");
    clickRightArrow(horz);
    EXPECT_EQ(model.view.current.ViewOffsetX, 140.1f);
    EXPECT_EQ(horz->value(), 0); // back at rest
    EXPECT_TRUE(button("NormVHZ")->isEnabled());

    for (int i = 0; i < 9; ++i)
        clickRightArrow(horz);
    EXPECT_NEAR(model.view.current.ViewOffsetX, 141.0, 1e-4);

    horz->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_NEAR(model.view.current.ViewOffsetX, 140.0, 1e-4);

    bar("SBPanVert")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(model.view.current.ViewOffsetY, 269.9f); // the picture moves up
    EXPECT_EQ(bar("SBPanVert")->value(), 0);
}

TEST_F(MainWindowTest, ZoomArrowKeepsTheWindowCentre) {
    const double x = (320 - 140) / 28.0, y = -(240 - 270) / 28.0;
    bar("SBZoom")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const ViewTransform& v = model.view.current;
    EXPECT_FLOAT_EQ(v.ViewScale, 28.028f);
    EXPECT_NEAR(v.ViewOffsetX + v.ViewScale * x, 320, 1e-3);
    EXPECT_NEAR(v.ViewOffsetY - v.ViewScale * y, 240, 1e-3);
    bar("SBZoom")->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_FLOAT_EQ(v.ViewScale, 28.028f * 1.01f);
    EXPECT_EQ(bar("SBZoom")->value(), 0);
}

TEST_F(MainWindowTest, PThenPresetStoresTheViewOfThatMoment) {
    model.view.current = {40, 100, 200};
    click("Preset0");
    EXPECT_FALSE(button("Preset0")->isEnabled());
    EXPECT_TRUE(button("NormVHZ")->isEnabled());
    bar("SBPanHorz")->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(model.view.current.ViewOffsetX, 101.0f);

    click("Preset3");
    EXPECT_EQ(model.view.presets[3].ViewScale, 40.0f);
    EXPECT_EQ(model.view.presets[3].ViewOffsetX, 100.0f);
    EXPECT_EQ(model.view.current.ViewOffsetX, 100.0f); // the panning is undone
    EXPECT_TRUE(button("Preset0")->isEnabled());

    // A preset alone only recalls.
    click("Preset5");
    EXPECT_EQ(model.view.current.ViewScale, 320.0f);
    EXPECT_EQ(model.view.current.ViewOffsetX, -3600.0f);
    EXPECT_EQ(model.view.presets[5].ViewOffsetY, 850.0f);

    click("NormVHZ");
    EXPECT_EQ(model.view.saved.ViewScale, 320.0f);
    EXPECT_EQ(model.view.current.ViewScale, 28.0f);
    EXPECT_EQ(model.view.current.ViewOffsetX, 140.0f);
    EXPECT_EQ(model.view.current.ViewOffsetY, 270.0f);
    EXPECT_FALSE(button("NormVHZ")->isEnabled());
    EXPECT_TRUE(button("Preset0")->isEnabled());
}

TEST_F(MainWindowTest, NormDisarmsP) {
    click("Preset0");
    click("NormVHZ");
    EXPECT_TRUE(button("Preset0")->isEnabled());
    const ViewTransform two = model.view.presets[2];
    click("Preset2");
    EXPECT_EQ(model.view.presets[2].ViewOffsetY, two.ViewOffsetY); // recalled, not stored
    EXPECT_EQ(model.view.current.ViewOffsetY, 410.0f);
}
