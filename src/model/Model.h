#pragma once
// The one model of the run: created once by the application and passed by
// reference to every window and computation. Plain data; the operations are
// free functions in the other model headers.

#include "model/Dimensions.h"
#include "model/Numeric.h"

#include <array>
#include <string>

namespace corvellan {

constexpr int kPivotCount = 27;

struct PivotTable {
    std::array<Real, kPivotCount> X{};
    std::array<Real, kPivotCount> Y{};
    std::array<int, kPivotCount> ScreenX{};
    std::array<int, kPivotCount> ScreenY{};
};

struct GearState {
    Real DriverAngle = 0;       // degrees
    Real StepAngle = 10;        // degrees per tick; 0 while stopped
    Real StepAngleSetting = 10; // the step the user chose
    std::string Direction = "Fwd";
    Real RevArmPos = 0;                // X of pivot 18
    std::array<Real, 10> RevArmPositions{}; // [0] = RevArmCen, [1..9] diagram positions
    // Range of the reverse-arm scroll bar: -round(Max*1000) .. +round(Max*1000).
    int RevArmScrollMin = 0;
    int RevArmScrollMax = 0;

    Real RevArmCen() const { return RevArmPositions[0]; }
};

struct ViewTransform {
    Real ViewScale = 28;
    Real ViewOffsetX = 140;
    Real ViewOffsetY = 270;
};

constexpr ViewTransform kNormalView{28, 140, 270};

struct ViewState {
    ViewTransform current = kNormalView;
    ViewTransform saved = kNormalView; // restored when a dimension close-up ends
    // Preset table: entry 0 is the pending preset, 1..6 belong to the buttons.
    std::array<ViewTransform, 7> presets{};
    Real GraphicZoom = 7.5f;
    int SelectedDimCode = 0;
};

struct ErrorState {
    bool GeometryError = false;
    bool ErrorBeep = true;
    int ErrorTicks = 0;
};

// Port-face constants, recomputed at the end of every solve.
struct LapConstants {
    Real FrontSteamOpenAt = 0;
    Real FrontSteamFullAt = 0;
    Real FrontExhaustOpenAt = 0;
    Real RearSteamOpenAt = 0;
    Real RearSteamFullAt = 0;
    Real RearExhaustOpenAt = 0;
    Real ValveCen = 0;
    Real RearSteamOpenShift = 0;
    Real FrontSteamOpenX4 = 0;
    Real FrontSteamLap = 0;
    Real RearSteamLap = 0;
    Real FrontExhClearance = 0;
    Real RearExhClearance = 0;
};

struct ValveQuantities {
    Real FrontSteamOpening = 0;
    Real FrontExhaustOpening = 0;
    Real RearSteamOpening = 0;
    Real RearExhaustOpening = 0;
    Real PistonTravelPos = 0; // 0 front dead centre .. 640 rear dead centre
};

enum class Phase { None, Admission, Expansion, Exhaust, Compression };

struct EndState {
    char letter = 0;   // 0, 'E' or 'C'
    Phase phase = Phase::None;
    Real steamLevel = 20;
    bool armed = false;
    Real capturedLevel = 0;
    std::string cutOffText;
    int holdCount = 0;
};

struct ValveEventState {
    EndState front;
    EndState rear;
    // Previous-sample values, shared by the cut-off detection and the steam and
    // port-events diagrams.
    Real prevPistonTravelPos = 0;
    Real prevFrontSteamOpening = 0;
    Real prevRearSteamOpening = 0;
    // Written only by the port-events diagram, which also tracks the exhausts.
    Real prevFrontExhaustOpening = 0;
    Real prevRearExhaustOpening = 0;
    // Channel volume of the exhaust beat (0..0xFFFF), kept between beats.
    int waveVolume = 0x8000;
};

struct DisplaySettings {
    bool screenData = true;
    Real textScaleH = 1.0f;
    Real textScaleV = 1.0f;
    int lineWidth = 1;
    bool steamDisplay = false;

    // The text scale of "SetLarge&Font" (horizontal, vertical factor) and of
    // "SetSmall&Font".
    void setLargeText(bool large) {
        textScaleH = large ? 1.27f : 1.0f;
        textScaleV = large ? 1.22f : 1.0f;
    }
};

constexpr int kOverlayItems = 20;

// Overlay item table; index 0 is the scratch entry (only X1, Y1 used).
struct OverlayTable {
    std::array<Real, kOverlayItems + 1> X1{}, Y1{}, X2{}, Y2{};
    std::array<Real, kOverlayItems + 1> Ref1X{}, Ref1Y{}, Ref2X{}, Ref2Y{};
    std::array<Real, kOverlayItems + 1> Type{}, Color{}, RefMode{};
    std::array<Real, kOverlayItems + 1> Ref1Pivot{}, Ref2Pivot{};
    int CurrentOverlayItem = 1;
};

struct DiagramSettings {
    int RevArmPosCount = 0;
    Real VerticalScale = 1.5f;
    Real LastPlottedRevArmPos = 0;
    bool RevArmDialogClosed = false;
    char PortGraphMode = 'F';    // 'F' forward, 'R' reverse, 'B' both graphs
    bool PortPhaseArrows = true; // off only for the second pass of 'B'
};

// Text of an empty dynamic-variable slot: 13 blanks and "??".
inline const std::string kDynPlaceholderName = "             ??";

struct DynVarSlot {
    int code = 0;
    Real value = 0;
    std::string name = kDynPlaceholderName;
};

struct UndoEntry {
    int code = 0;
    Real before = 0;
    Real after = 0;
    std::string name;
};

// The five windows that carry an "UnDo" button.
enum UndoButton { UndoMain, UndoSine, UndoOval, UndoSteam, UndoPort, UndoButtonCount };

struct DynVarState {
    std::array<DynVarSlot, 5> slots{};
    Real DynDelta = 0;
    int ActiveDynSlot = 1;
    std::array<int, 5> jogLast{}; // L(k), k = 1..4 (index 0 unused)
    std::array<int, 5> jogPrev{}; // M(k)
    Real DynEntryValue = 0;
    std::array<UndoEntry, 21> undo{};
    int UndoCount = 0;
    bool DimEdited = false;
    bool DynVarsShown = false;
    bool UndoShown = false;
    // The undo line as last built; the diagram header draws it before
    // rebuilding it.
    std::string UndoLine;
    std::array<bool, UndoButtonCount> undoEnabled{};
};

// Reference points: the points themselves are pivots 19 and 20.
struct RefPointState {
    bool mode = false;
    std::array<bool, 3> zeroEnabled{}; // [1], [2]: RefPt1Zero, RefPt2Zero
    // Jog memory of SBRef1Vert, SBRef1Horz, SBRef2Vert, SBRef2Horz.
    std::array<int, 4> jogLast{};
    std::array<int, 4> jogPrev{};
};

// Pivot selection: six slots, [1..6] used.
struct PivotDataState {
    bool mode = false;
    std::array<Real, 7> slotPivot{};
    std::array<bool, 7> slotShown{};
    int armedSlot = 1;
    bool pickPending = false;
    int nearestPivot = 0;
    // The paths of the shown slots' pivots over one turn are drawn.
    bool pathsShown = false;
};

// The texts of one row of the overlay dialog.
struct OverlayRowTexts {
    std::string type, colour, ref;
    std::array<std::string, 4> boxes; // Y1, X1, Y2, X2
};

// The overlay dialog's state that outlives it: the main window's clicks and
// the renderer's pick prompt read it, file opens refill its rows.
struct OverlayDialogState {
    int typeChoice = -1; // radio groups: -1 no choice
    int colourChoice = -1;
    int refChoice = -1;
    bool pickPrompt = false;
    bool leftClickSeen = false;
    bool drawCloseEnabled = false;
    int markedItem = 1; // the aqua row
    std::array<OverlayRowTexts, kOverlayItems + 1> rows{}; // [1..20]
};

struct Model {
    FrameDimensions frame;
    CylinderDimensions cyl;
    FrameDimensions nominalFrame;
    CylinderDimensions nominalCyl;
    std::string DimSetName = "Nominal";
    // The dimensions as last opened or saved (the nominal set before any
    // file), in the order of allDimensions(): what leaving compares against.
    std::array<Real, 36> savedDimensions{};

    GearState gear;
    PivotTable pivots;
    Real LinkAngle = 0;       // radians from the vertical
    Real ValveLeverAngle = 0; // radians from the vertical
    LapConstants lap;
    ValveQuantities valve;
    ValveEventState events;

    ViewState view;
    ErrorState error;
    DisplaySettings display;
    OverlayTable overlay;
    DiagramSettings diagrams;
    DynVarState dyn;
    RefPointState refPoints;
    PivotDataState pivotData;
    OverlayDialogState overlayDialog;

    // Dimension accessors that follow where each value is held.
    Real LinkPivotVert() const { return pivots.Y[8]; }
    Real LinkPivotHorz() const { return pivots.X[8]; }
    Real CylCLAboveDriverCtr() const { return pivots.Y[3]; }
};

// Sets every item to its start value (start-up steps 1 to 6).
void initialiseModel(Model& m);
// A model at its start values: the nominal gear.
Model nominalModel();
// Copies the nominal frame set into the frame dimensions, pivots 8 and 9 included.
void resetFrame(Model& m);
// Copies the nominal cylinder set; Y3 := 0, Y4 := Y3 + ValveStemCLToCylCL.
void resetCylinder(Model& m);
// Mid gear: RevArmCen, RevArmPos and diagram positions 1..3.
void midGearCalc(Model& m);
// Range of the reverse-arm scroll bar from RevArmToCentMax.
void updateRevArmScrollRange(Model& m);
// Screen position of pivots 0..11 and 18..20 from the view transform.
void projectToScreen(Model& m);
// Screen column/row of a model point under the current view transform.
int screenColumn(const Model& m, Ext x);
int screenRow(const Model& m, Ext y);

// Current value of the dimension with this code (0 for an unknown code).
Real dimensionValue(const Model& m, int code);
// The gear's size, the scale of its lengths: the median magnitude of its
// non-zero length dimensions (every one but the eccentric crank angle),
// ignoring any that is not a finite number. Figures far below it are
// rounding noise.
Ext gearLengthScale(const Model& m);
// Takes the current dimensions as those of the file just opened or saved.
void markDimensionsSaved(Model& m);
// Whether any dimension differs from them, bit for bit (a value that is not a
// number equals itself).
bool dimensionsModified(const Model& m);
// Writes a dimension with the pivot side effects of its code (11, 12: pivots 8
// and 9; 102: Y3 and Y4; 109: Y4). Values beyond a 4-byte real are clamped.
// Unknown codes write nothing and return false.
bool storeDimension(Model& m, int code, Ext value);

} // namespace corvellan
