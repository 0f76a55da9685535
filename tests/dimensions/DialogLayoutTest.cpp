// The captions are drawn on the dialogs' own canvas, not held in controls, so
// nothing but a look at the rendered window shows whether each stands beside
// its box. Set CORVELLAN_DIALOG_PNG to a folder to keep the pictures.

#include "DialogDriver.h"

#include "dimensions/CylDimDialog.h"
#include "dimensions/DimensionBox.h"
#include "dimensions/FrameDimDialog.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>

#include <memory>

using namespace corvellan;
using namespace corvellan::test;

namespace {

struct Scale {
    Real h;
    Real v;
    const char* name;
};

class DialogLayoutTest : public ::testing::TestWithParam<Scale> {
  protected:
    void SetUp() override {
        initialiseModel(m);
        m.display.textScaleH = GetParam().h;
        m.display.textScaleV = GetParam().v;
    }

    QRect captionRect(const DimensionDialog& d, const CaptionLayout& c) const {
        const QFontMetrics fm(d.font());
        return QRect(d.captionPosition(c),
                     QSize(fm.horizontalAdvance(d.drawnCaption(c)), fm.height()));
    }

    static bool hasInk(const QImage& image, const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(image.pixel(x, y)) < 100) return true;
        return false;
    }

    void check(DimensionDialog& d, const char* name) {
        showActive(&d);
        const QImage image = d.grab().toImage();
        if (qEnvironmentVariableIsSet("CORVELLAN_DIALOG_PNG")) {
            const QDir dir(qEnvironmentVariable("CORVELLAN_DIALOG_PNG"));
            image.save(dir.filePath(QString("%1-%2.png").arg(name, GetParam().name)));
        }
        const QList<QWidget*> controls = d.findChildren<QWidget*>();
        for (const CaptionLayout& c : d.captions()) {
            const QRect r = captionRect(d, c);
            EXPECT_TRUE(d.rect().contains(r)) << c.text << " is cut off";
            EXPECT_TRUE(hasInk(image, r)) << c.text << " is not drawn";
            for (QWidget* w : controls)
                EXPECT_FALSE(w->geometry().intersects(r))
                    << c.text << " runs into " << w->objectName().toStdString();
        }
        // Every box has a caption starting on its own line, left of it.
        for (int i = 0; i < d.rowCount(); ++i) {
            const QRect box = d.box(i)->geometry();
            const QRect button = d.smallButton(i)->geometry();
            bool captioned = false;
            for (const CaptionLayout& c : d.captions()) {
                const QRect r = captionRect(d, c);
                captioned |=
                    r.top() == box.top() && r.left() > button.right() && r.right() < box.left();
            }
            EXPECT_TRUE(captioned) << d.box(i)->objectName().toStdString();
        }
    }

    Model m;
};

} // namespace

TEST_P(DialogLayoutTest, FrameCaptionsStandBesideTheirBoxes) {
    TFrameDi dialog(m);
    check(dialog, "frame");
}

TEST_P(DialogLayoutTest, CylinderCaptionsStandBesideTheirBoxes) {
    TCylDimen dialog(m);
    check(dialog, "cylinder");
}

INSTANTIATE_TEST_SUITE_P(TextScales, DialogLayoutTest,
                         ::testing::Values(Scale{1.0f, 1.0f, "small"},
                                           Scale{1.27f, 1.22f, "large"}),
                         [](const auto& info) { return std::string(info.param.name); });
