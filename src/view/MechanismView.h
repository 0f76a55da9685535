#pragma once
// The mechanism view: the picture of the running gear, rebuilt on every tick.
// FrameState is what the view keeps between ticks and what it tells the main
// window after each one.

#include "model/Model.h"
#include "model/SoundSink.h"
#include "view/Canvas.h"
#include "view/PivotPathLayer.h"
#include "view/ScreenMath.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace corvellan {

struct ScreenPoint {
    Pix x = 0;
    Pix y = 0;
};

// Projected rows and columns of the cylinder section, the piston and the
// valve, computed by the tick before the frame. C is the cylinder centre, E
// half the exhaust port, H half the chest, L half the bore, F the port face, T
// the chest top, W the exhaust port width.
struct SectionOutlines {
    // Section columns.
    Pix chestRear = 0, chestFront = 0;     // C -/+ H
    Pix exhaustRear = 0, exhaustFront = 0; // C -/+ E
    Pix rearBridge = 0, frontBridge = 0;   // outer edges of the two bridges
    Pix rearPortOuter = 0, frontPortOuter = 0;
    Pix boreRear = 0, boreFront = 0;       // C -/+ L
    Pix rearOpening = 0, frontOpening = 0; // inner ends of the bore openings
    Pix cylinderCentre = 0;                // X1 + CylCtrToDriverCtr
    // Section rows.
    Pix chestTop = 0, portFace = 0, passageTop = 0; // T, F, F - W/1.5
    Pix boreTop = 0, boreBottom = 0, centreLine = 0, spindleLine = 0;
    // Widths in pixels.
    Pix steamPortPx = 0, exhaustPortPx = 0;
    std::array<ScreenPoint, 14> outer{};
    std::array<ScreenPoint, 10> inner{};

    // Piston and valve.
    Pix pistonRear = 0, pistonFront = 0;
    ScreenPoint rodEnd;
    std::array<ScreenPoint, 5> piston{}; // closed rectangle
    Pix valveRear = 0, valveFront = 0, cavityRear = 0, cavityFront = 0;
    Pix valveTop = 0, cavityTop = 0;
    ScreenPoint spindleEnd;
    std::array<ScreenPoint, 9> valve{}; // closed outline
};

enum class DimDialog { None, Frame, Cylinder };

// Progress of the dimension close-up.
struct CloseUpState {
    int frameCounter = 0;
    int blinkCounter = 0;
    DimDialog dialog = DimDialog::None; // the dialog to show again at the end
};

// What the main window applies after each tick. The view cannot touch
// widgets, so it leaves its requests here.
struct WindowRequests {
    // Persistent: the "Error" menu item's visibility and the wait cursor.
    bool errorItemVisible = false;
    bool waitCursor = false;
    // Set for this frame only: close the dimension dialog that owns this code
    // (0: none), and show this dialog again, modally.
    int closeDialogForCode = 0;
    DimDialog reopenDialog = DimDialog::None;
    // Undo button of the main window: shown, and its top row.
    bool undoButtonVisible = false;
    int undoButtonTop = 72;
    // Dynamic-variable bars 1..4 (index 0..3): enabled.
    std::array<bool, 4> dynVarBarEnabled{};
};

// Window captions, rebuilt every frame.
struct Captions {
    std::string main, sine, oval, steam, ports, dataTable;
};

// Panels that belong to modes of the main window (reference points, pivot
// data, the overlay dialog's pick prompt). Their owners install them; the view
// calls each, when set, at its place in the frame while screen data are shown.
struct PanelHooks {
    std::function<void(Model&, Canvas&)> pivotData;
    std::function<void(Model&, Canvas&)> overlayPickPrompt;
    std::function<void(Model&, Canvas&)> referencePoints;
};

struct FrameState {
    SectionOutlines section;
    CloseUpState closeUp;
    WindowRequests window;
    Captions captions;
    PanelHooks panels;
    // The date in the short format and the time in the long format for the
    // captions. Unset: the C library's "%x" and "%X" of the current time.
    std::function<void(std::string& date, std::string& time)> clock;
    // Seed of the steam dots, drawn at the start of each steam frame. Unset:
    // the clock.
    std::function<std::uint64_t()> seedSource;
    std::uint64_t randomState = 0;
    // The pivot paths, kept between frames.
    PivotPathLayer pivotPaths;
};

// Tick step 4: the cylinder section, then the piston and the valve.
void computeSectionOutline(const Model& m, SectionOutlines& s);
void computePistonValveOutline(const Model& m, SectionOutlines& s);

// Tick step 7: the whole frame, items in their fixed order. Runs the per-frame
// valve-event logic (steam display), the error indicator, the cut-off
// detection and the close-up, which may change the model's view.
void renderFrame(Model& m, FrameState& f, Canvas& canvas, SoundSink& sound);

// The six captions: title, set name, date, time, version.
void buildCaptions(const Model& m, FrameState& f);

// A mouse press in the main window: a running close-up ends on the next frame.
void endCloseUpOnNextFrame(const Model& m, FrameState& f);

} // namespace corvellan
