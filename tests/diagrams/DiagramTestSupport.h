#pragma once
// Shared set-up of the diagram tests: the nominal gear as the animation
// leaves it (solved, so the lap constants are current) with the three
// positions of the positions dialog, and lookups in a recorded drawing.

#include "model/DiagramPositions.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/Valve.h"
#include "view/RecordingCanvas.h"

#include <string>
#include <vector>

namespace corvellan::testing {

inline Model nominalWithPositions() {
    Model m;
    initialiseModel(m);
    refreshDiagramPositions(m); // mid gear, normal forward, normal reverse
    solve(m);
    computeValve(m);
    return m;
}

inline std::vector<Primitive> linesIn(const RecordingCanvas& c, Rgb colour) {
    std::vector<Primitive> out;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Line))
        if (p.colour == colour) out.push_back(p);
    return out;
}

// Lines whose ends match the given coordinates (-1 matches anything).
inline int countLines(const RecordingCanvas& c, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Line)) {
        const int want[4] = {x1, y1, x2, y2};
        bool match = true;
        for (int k = 0; k < 4; ++k)
            match = match && (want[k] < 0 || p.coords[k] == want[k]);
        n += match;
    }
    return n;
}

inline std::vector<Primitive> textsAtX(const RecordingCanvas& c, int x) {
    std::vector<Primitive> out;
    for (const Primitive& p : c.ofKind(PrimitiveKind::Text))
        if (p.coords[0] == x) out.push_back(p);
    return out;
}

inline const Primitive* textAt(const RecordingCanvas& c, int x, int y) {
    for (const Primitive& p : c.primitives())
        if (p.kind == PrimitiveKind::Text && p.coords[0] == x && p.coords[1] == y) return &p;
    return nullptr;
}

inline int countTexts(const RecordingCanvas& c, const std::string& text) {
    int n = 0;
    for (const std::string& t : c.texts())
        n += t == text;
    return n;
}

} // namespace corvellan::testing
