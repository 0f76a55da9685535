#include "dimensions/CylDimDialog.h"

#include "dimensions/DimensionBox.h"
#include "model/DimensionEdit.h"

#include <QPushButton>

namespace corvellan {

namespace {

constexpr int kRowHeight = 13;

struct CylRow {
    int code;
    bool right;    // right column
    int y;         // of the box
    int buttonTop; // the two-line rows start their button a line higher
};

// Box rows in table order (Edit1..Edit22).
constexpr CylRow kRows[] = {
    {101, false, 0, 0},     {102, false, 13, 13},   {103, false, 26, 26},   {104, false, 39, 39},
    {105, false, 52, 52},   {106, false, 78, 65},   {107, false, 91, 91},   {108, false, 104, 104},
    {109, false, 117, 117}, {110, false, 130, 130}, {111, false, 143, 143}, {112, false, 156, 156},
    {113, true, 0, 0},      {114, true, 13, 13},    {115, true, 26, 26},    {116, true, 39, 39},
    {117, true, 52, 52},    {118, true, 65, 65},    {119, true, 78, 78},    {120, true, 91, 91},
    {121, true, 104, 104},  {122, true, 130, 117},
};

DimensionDialogLayout cylinderLayout() {
    DimensionDialogLayout layout;
    layout.name = "TCylDimen";
    layout.title = "Cylinder Dimensions";
    layout.client = QSize(386, 230);
    for (const CylRow& row : kRows) {
        const int buttonHeight = row.y + kRowHeight - row.buttonTop;
        layout.rows.push_back({row.code, QRect(row.right ? 342 : 146, row.y, 40, kRowHeight),
                               QRect(row.right ? 194 : 0, row.buttonTop, 8, buttonHeight), true});
    }
    layout.captions = {
        {10, 0, "Cylinder ctr to Driver ctr"},
        {10, 13, "Cylinder CL above Driver"},
        {10, 26, "Cylinder Bore         Diameter"},
        {10, 39, "Cylinder Bore            Length"},
        {10, 52, "Cylinder Steam Port   Width"},
        {10, 65, "Piston ctr to Crosshead ctr"},
        {82, 78, "(Piston Rod)"},
        {10, 91, "Piston                         Width"},
        {10, 104, "ValveSurface to CylinderCL"},
        {10, 117, "Valve Stem CL to Cyl CL"},
        {10, 130, "Exhaust Port               Width"},
        {10, 143, "Bridge Width                Rear"},
        {10, 156, "Bridge Width                Front"},
        {204, 0, "Steam Port Width        Rear"},
        {204, 13, "Steam Port Width        Front"},
        {204, 26, "Valve Chamber        Height"},
        {204, 39, "Valve Chamber        Length"},
        {204, 52, "Valve Height"},
        {204, 65, "Valve Length       Rear Half"},
        {204, 78, "Valve Length       Front Half"},
        {204, 91, "Valve ExhCavity  Rear Half"},
        {204, 104, "Valve ExhCavity  Front Half"},
        {204, 117, "Valve ctr to Joint"},
        {266, 130, "  (Valve Stem)"},
        {1, 190, "To Show Graphic Position of Variable, Click Small Button", true},
        {1, 203, "To Select a Dynamic Variable, Click Dimension in Gray Area", true},
    };
    layout.resetName = "Reset1";
    layout.resetCaption = "ResetCylDim";
    layout.reset = QRect(294, 168, 90, 25);
    layout.close = QRect(294, 192, 90, 25);
    return layout;
}

} // namespace

TCylDimen::TCylDimen(Model& model, QWidget* parent)
    : DimensionDialog(model, cylinderLayout(), parent) {
    // Edit1..Edit17, Close, the reset, Button1..Button17, Edit18..Edit22,
    // Button18..Button22.
    std::vector<QWidget*> chain;
    for (int i = 0; i < 17; ++i)
        chain.push_back(box(i));
    chain.push_back(closeButton());
    chain.push_back(resetButton());
    for (int i = 0; i < 17; ++i)
        chain.push_back(smallButton(i));
    for (int i = 17; i < rowCount(); ++i)
        chain.push_back(box(i));
    for (int i = 17; i < rowCount(); ++i)
        chain.push_back(smallButton(i));
    setTabChain(chain);
}

bool TCylDimen::resetDimensions() {
    resetCylinderDimensions(m_);
    return false;
}

} // namespace corvellan
