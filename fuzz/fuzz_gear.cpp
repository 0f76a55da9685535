// Fuzzes the gear from its dimensions to the pictures: the bytes choose every
// dimension, the driver angle and reverse-arm setting, the view, the steam
// levels, the text scale, the diagram positions and scale, the overlay items
// and whether the pivot paths are drawn; then the gear is solved, its valve
// computed, and the whole mechanism frame (steam display, close-up and paths
// included), the four diagrams and the pivot data panel and table rows are
// drawn into a real image, and the valve events of the diagram positions are
// found and written out. The remaining bytes are read as a conditions file
// and choose operating conditions; where they pass their checks, the steam
// in the cylinder is settled (over a couple of revolutions) at the first
// diagram position and written out.

#include "FuzzBytes.h"

#include "diagrams/OvalDiagram.h"
#include "diagrams/PortDiagram.h"
#include "diagrams/SineDiagram.h"
#include "diagrams/SteamDiagram.h"
#include "model/DiagramPositions.h"
#include "model/Dimensions.h"
#include "model/Model.h"
#include "model/PivotDataTable.h"
#include "model/PivotPick.h"
#include "model/SoundSink.h"
#include "model/Solver.h"
#include "model/Valve.h"
#include "analysis/ValveEvents.h"
#include "analysis/ValveEventsText.h"
#include "platform/QPainterCanvas.h"
#include "steam/Conditions.h"
#include "steam/Indicator.h"
#include "steam/IndicatorReport.h"
#include "view/MechanismView.h"
#include "view/Tick.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

using namespace corvellan;
using corvellan::fuzz::FuzzBytes;

namespace {

class Silence : public SoundSink {
  public:
    void playExhaust(int, int) override {}
    void playError() override {}
    void beep() override {}
};

// Made once and never destroyed: the fuzzer ends the process at any point,
// and Qt's teardown at exit would only add noise.
void ensureApplication() {
    static QGuiApplication* app = nullptr;
    if (app) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "fuzz_gear";
    static char* argv[] = {name, nullptr};
    app = new QGuiApplication(argc, argv);
}

void chooseDimensions(Model& m, FuzzBytes& in) {
    for (const DimensionInfo& d : allDimensions())
        storeDimension(m, d.code, in.wild(dimensionValue(m, d.code)));
    midGearCalc(m);
    updateRevArmScrollRange(m);
}

void chooseGear(Model& m, FuzzBytes& in) {
    GearState& g = m.gear;
    g.DriverAngle = in.wild(g.DriverAngle);
    g.StepAngle = in.wild(10);
    g.StepAngleSetting = 90; // a few table rows, whatever the step
    g.Direction = in.byte() & 1 ? "Rev" : "Fwd";
    g.RevArmPos = in.wild(g.RevArmPos);
    ViewTransform& v = m.view.current;
    v.ViewScale = in.wild(v.ViewScale);
    v.ViewOffsetX = in.wild(v.ViewOffsetX);
    v.ViewOffsetY = in.wild(v.ViewOffsetY);
    m.view.GraphicZoom = in.wild(m.view.GraphicZoom);
    m.events.front.steamLevel = in.wild(20);
    m.events.rear.steamLevel = in.wild(20);
    m.events.front.capturedLevel = in.wild(20);
    m.events.rear.capturedLevel = in.wild(20);
    m.events.prevPistonTravelPos = in.wild(0);
    m.display.textScaleH = in.wild(1);
    m.display.textScaleV = in.wild(1);
    m.display.lineWidth = 1 + in.byte() % 2;
    const std::uint8_t flags = in.byte();
    m.display.steamDisplay = !(flags & 1);
    m.display.screenData = !(flags & 2);
    m.error.ErrorBeep = !(flags & 4);
    m.dyn.DynVarsShown = flags & 8;
    m.dyn.UndoShown = flags & 16;
    m.refPoints.mode = flags & 32;
    setPivotDataMode(m, flags & 64);
    m.pivotData.pathsShown = flags & 128;
    // A close-up of any dimension, or none.
    const std::uint8_t pick = in.byte();
    m.view.SelectedDimCode = pick < 36 ? allDimensions()[pick].code : 0;
}

void chooseDiagrams(Model& m, FuzzBytes& in) {
    for (int slot = 1; slot <= 9; ++slot)
        m.gear.RevArmPositions[slot] = in.wild(m.gear.RevArmPositions[slot]);
    refreshDiagramPositions(m);
    m.diagrams.VerticalScale = in.wild(m.diagrams.VerticalScale);
    m.diagrams.LastPlottedRevArmPos = in.wild(0);
}

void chooseOverlay(Model& m, FuzzBytes& in) {
    OverlayTable& o = m.overlay;
    for (int item = 1; item <= 4; ++item) {
        const int n = 1 + in.byte() % kOverlayItems;
        for (auto* column : {&o.X1, &o.Y1, &o.X2, &o.Y2, &o.Ref1X, &o.Ref1Y, &o.Ref2X, &o.Ref2Y})
            (*column)[n] = in.wild(1);
        o.Type[n] = in.wild(static_cast<float>(in.byte() % 3) - 1);
        o.Color[n] = in.wild(255);
        o.RefMode[n] = in.wild(static_cast<float>(in.byte() % 5) - 1);
        o.Ref1Pivot[n] = in.wild(static_cast<float>(in.byte() % 27));
        o.Ref2Pivot[n] = in.wild(static_cast<float>(in.byte() % 27));
    }
    for (int k = 1; k <= kPivotSlots; ++k) {
        m.pivotData.slotPivot[k] = in.wild(static_cast<float>(k));
        m.pivotData.slotShown[k] = true;
    }
    m.pivots.X[19] = in.wild(1);
    m.pivots.Y[19] = in.wild(1);
    m.pivots.X[20] = in.wild(2);
    m.pivots.Y[20] = in.wild(2);
}

// Operating conditions: each figure kept, wild, or scaled; the unit system
// and the fluid chosen.
steam::Conditions chooseConditions(FuzzBytes& in) {
    const std::uint8_t flags = in.byte();
    steam::Conditions c = steam::defaultConditions(flags & 1 ? steam::UnitSystem::Metric
                                                             : steam::UnitSystem::Imperial);
    c.Fluid = flags & 2 ? steam::FluidKind::PerfectGas : steam::FluidKind::Steam;
    for (double* v : {&c.ChestPressure, &c.BackPressure, &c.Atmosphere, &c.Speed,
                      &c.ClearanceFront, &c.ClearanceRear, &c.DischargeCoefficient, &c.Gamma})
        *v = in.wild(static_cast<float>(*v));
    if (flags & 4) c.ChestTemperature = in.wild(400);
    if (flags & 8) c.PortBreadth = in.wild(1.7f);
    if (flags & 16) c.PistonRodDia = in.wild(0.3f);
    c.Cylinders = 1 + in.byte() % 20;
    return c;
}

void steamInTheCylinder(const Model& gear, FuzzBytes& in) {
    // A conditions file of a few bytes of the input, refused or read.
    std::string text;
    for (int n = in.byte() % 64; n > 0; --n)
        text += static_cast<char>(in.byte());
    steam::Conditions c;
    std::string error;
    if (!steam::readConditionsJson(text, c, &error) && error.empty()) std::abort();
    c = chooseConditions(in);
    if (!steam::validateConditions(c, gear.cyl.CylBoreDia).empty()) return;
    const std::vector<Real> settings = diagramPositionSettings(gear);
    if (settings.empty()) return;
    Model scratch = gear;
    const steam::SiConditions si = steam::toSi(c, scratch);
    const auto fluid = steam::makeFluid(si);
    steam::IndicatorOptions options;
    options.maxRevolutions = 2;
    options.loopPoints = 9;
    const steam::SettingIndicator r =
        steam::computeIndicator(scratch, settings.front(), si, *fluid, options);
    std::ostringstream out;
    out << jsonLine(steam::indicatorJson(c, gear.cyl.CylBoreDia, {r}));
    steam::writeIndicatorCsv(c, {r}, out);
    steam::writeIndicatorText(c, {r}, out);
    if (out.str().empty()) std::abort();
}

void drawPanel(Model& m, Canvas& c) {
    for (const PanelText& t : pivotDataPanel(m))
        c.text(t.x, t.y, t.text, TextStyle{});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureApplication();
    FuzzBytes in(data, size);
    Model m;
    initialiseModel(m);
    chooseDimensions(m, in);
    chooseGear(m, in);
    chooseDiagrams(m, in);
    chooseOverlay(m, in);

    solve(m);
    computeValve(m);

    static auto* picture = new QPainterCanvas; // 1280 x 1024, reused as the window does
    FrameState frame;
    frame.clock = [](std::string& date, std::string& time) { date = "01/02/03", time = "04:05:06"; };
    frame.seedSource = [] { return std::uint64_t{12345}; };
    Silence sound;
    runTick(m, frame, *picture, sound);
    runTick(m, frame, *picture, sound); // a second frame sees the first one's state
    drawPanel(m, *picture);

    QPainterCanvas diagram(632, 426);
    drawSineDiagram(m, diagram);
    drawOvalDiagram(m, diagram);
    drawSteamDiagram(m, diagram);
    choosePortGraph(m, diagram, "FRB"[in.byte() % 3]);

    const std::string table = buildPivotDataTable(m, "01/02/03", "04:05:06");
    if (table.empty()) std::abort();

    const EventsReport events = computeEvents(m, diagramPositionSettings(m));
    std::ostringstream text;
    writeEventsText(events, text);
    writeEventsCsv(events, text);
    writeEventsJson(events, text);
    if (text.str().empty()) std::abort();

    steamInTheCylinder(m, in);
    return 0;
}
