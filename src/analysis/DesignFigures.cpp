#include "analysis/DesignFigures.h"

namespace corvellan {

namespace {

struct FigureNames {
    const char* key;
    const char* caption;
    bool percent;
};

constexpr FigureNames kFigures[kDesignFigures] = {
    {"CutOffFrontPct", "Front cut-off %", true},
    {"CutOffRearPct", "Rear cut-off %", true},
    {"LeadFront", "Front lead", false},
    {"LeadRear", "Rear lead", false},
    {"ReleaseFrontPct", "Front release %", true},
    {"ReleaseRearPct", "Rear release %", true},
    {"CompressionFrontPct", "Front compression %", true},
    {"CompressionRearPct", "Rear compression %", true},
    {"ValveTravel", "Valve travel", false},
    {"CutOffDifferencePct", "Cut-off front - rear %", true},
    {"LeadDifference", "Lead front - rear", false},
};

struct Caption {
    int code;
    const char* text;
};

// The captions of the two dimension dialogs, their spacing closed up.
constexpr Caption kCaptions[] = {
    {1, "Driver Diameter"},
    {2, "Stroke Length"},
    {3, "Eccentric Crank Circle Dia"},
    {4, "Eccentric Crank Angle Deg"},
    {5, "Main Rod Length"},
    {6, "Valve Rod Length"},
    {7, "Valve Lever Upper"},
    {8, "Valve Lever Lower"},
    {9, "Reverse Arm (Link Upper)"},
    {10, "Link Lower Length"},
    {11, "Link Pivot Vert"},
    {12, "Link Pivot Horz"},
    {13, "Reverse Arm to Cent Norm"},
    {14, "Reverse Arm to Cent Max"},
    {101, "Cylinder ctr to Driver ctr"},
    {102, "Cylinder CL above Driver"},
    {103, "Cylinder Bore Diameter"},
    {104, "Cylinder Bore Length"},
    {105, "Cylinder Steam Port Width"},
    {106, "Piston ctr to Crosshead ctr"},
    {107, "Piston Width"},
    {108, "ValveSurface to CylinderCL"},
    {109, "Valve Stem CL to Cyl CL"},
    {110, "Exhaust Port Width"},
    {111, "Bridge Width Rear"},
    {112, "Bridge Width Front"},
    {113, "Steam Port Width Rear"},
    {114, "Steam Port Width Front"},
    {115, "Valve Chamber Height"},
    {116, "Valve Chamber Length"},
    {117, "Valve Height"},
    {118, "Valve Length Rear Half"},
    {119, "Valve Length Front Half"},
    {120, "Valve ExhCavity Rear Half"},
    {121, "Valve ExhCavity Front Half"},
    {122, "Valve ctr to Joint (Valve Stem)"},
};

bool validFigure(int figure) {
    return figure >= 0 && figure < kDesignFigures;
}

} // namespace

const char* designFigureKey(int figure) {
    return validFigure(figure) ? kFigures[figure].key : "";
}

const char* designFigureCaption(int figure) {
    return validFigure(figure) ? kFigures[figure].caption : "";
}

bool isPercentFigure(int figure) {
    return validFigure(figure) && kFigures[figure].percent;
}

int designFigureByKey(const std::string& key) {
    for (int f = 0; f < kDesignFigures; ++f)
        if (key == kFigures[f].key) return f;
    return -1;
}

DesignFigures designFigures(const SettingEvents& s) {
    DesignFigures f;
    f[CutOffFrontFigure] = s.front.cutOffPct;
    f[CutOffRearFigure] = s.rear.cutOffPct;
    f[LeadFrontFigure] = s.front.lead;
    f[LeadRearFigure] = s.rear.lead;
    f[ReleaseFrontFigure] = s.front.releasePct;
    f[ReleaseRearFigure] = s.rear.releasePct;
    f[CompressionFrontFigure] = s.front.compressionPct;
    f[CompressionRearFigure] = s.rear.compressionPct;
    f[ValveTravelFigure] = s.valveTravel;
    f[CutOffDifferenceFigure] = s.cutOffDifference;
    f[LeadDifferenceFigure] = s.leadDifference;
    return f;
}

bool judgeable(const SettingEvents& s) {
    return !s.geometryError && s.front.admissionPct && s.front.cutOffPct && s.rear.admissionPct &&
           s.rear.cutOffPct;
}

std::vector<Ext> settingOffsets(const Model& base, const std::vector<Real>& settings) {
    std::vector<Ext> offsets;
    for (Real s : settings)
        offsets.push_back(static_cast<Ext>(clampSetting(base, s)) - base.gear.RevArmCen());
    return offsets;
}

Real settingOf(const Model& design, Ext offset) {
    return clampSetting(design, static_cast<Ext>(design.gear.RevArmCen()) + offset);
}

const char* dimensionCaption(int code) {
    for (const Caption& c : kCaptions)
        if (c.code == code) return c.text;
    return "";
}

bool isAngleDimension(int code) {
    return code == EccCrankAngleDegCode;
}

int dimensionIndex(int code) {
    const auto& all = allDimensions();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].code == code) return static_cast<int>(i);
    return -1;
}

} // namespace corvellan

namespace corvellan {

void computeDesignEvents(Model& design, const std::vector<Ext>& offsets,
                         std::vector<SettingEvents>& out, const JointOffsets* wear) {
    midGearCalc(design);
    out.resize(offsets.size());
    for (size_t i = 0; i < offsets.size(); ++i)
        computeSettingEvents(design, settingOf(design, offsets[i]), out[i], wear);
}

} // namespace corvellan
