#include "dimensions/FrameDimDialog.h"

#include "dimensions/DimensionBox.h"
#include "model/DimensionEdit.h"

#include <QPushButton>

namespace corvellan {

namespace {

constexpr int kRowHeight = 13;
constexpr int kLeftRows = 8;

// Box colour: gray where the dimension can become a dynamic variable.
constexpr bool kGray = true;
constexpr bool kWhite = false;

DimensionDialogLayout frameLayout() {
    DimensionDialogLayout layout;
    layout.name = "TFrameDi";
    layout.title = "Frame Dimensions";
    layout.client = QSize(386, 192);
    // Codes 1..8 down the left column, 9..14 down the right one.
    for (int code = 1; code <= 14; ++code) {
        const bool left = code <= kLeftRows;
        const int y = kRowHeight * (left ? code - 1 : code - 1 - kLeftRows);
        layout.rows.push_back({code, QRect(left ? 146 : 342, y, 40, kRowHeight),
                               QRect(left ? 0 : 194, y, 8, kRowHeight),
                               code <= LinkPivotHorzCode ? kGray : kWhite});
    }
    layout.captions = {
        {10, 0, "Driver                    Diameter"},
        {10, 13, "Stroke                      Length"},
        {10, 26, "Eccentric Crank Circle   Dia"},
        {10, 39, "Eccentric Crank Angle  Deg"},
        {10, 52, "Main Rod                  Length"},
        {10, 65, "Valve Rod                Length"},
        {10, 78, "Valve Lever               Upper"},
        {10, 91, "Valve Lever               Lower"},
        {204, 0, "Reverse Arm  (Link Upper)"},
        {204, 13, "Link Lower                Length"},
        {204, 26, "Link Pivot                      Vert"},
        {204, 39, "Link Pivot                     Horz"},
        {204, 52, "Reverse Arm to Cent Norm"},
        // Ditto marks under the caption above.
        {234, 65, "\"           \"             Max"},
        {1, 151, "To Show Graphic Position of Variable, Click Small Button", true},
        {1, 164, "To Select Dynamic Variable, Click Dimension in Gray Area", true},
    };
    layout.resetName = "ResetFrame";
    layout.resetCaption = "ResetFrameDim";
    layout.reset = QRect(288, 136, 89, 25);
    layout.close = QRect(288, 160, 89, 25);
    return layout;
}

} // namespace

TFrameDi::TFrameDi(Model& model, QWidget* parent) : DimensionDialog(model, frameLayout(), parent) {
    std::vector<QWidget*> chain{box(0), box(1), box(2), closeButton(), resetButton()};
    for (int i = 3; i < rowCount(); ++i)
        chain.push_back(box(i));
    for (int i = 0; i < rowCount(); ++i)
        chain.push_back(smallButton(i));
    setTabChain(chain);
}

bool TFrameDi::resetDimensions() {
    return resetFrameDimensions(m_).revArmRangeChanged;
}

} // namespace corvellan
