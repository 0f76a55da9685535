#pragma once
// Shared pieces of the view tests: a sound sink that counts, and a frame
// state with a fixed clock and seed.

#include "model/Model.h"
#include "model/SoundSink.h"
#include "view/MechanismView.h"
#include "view/RecordingCanvas.h"
#include "view/Tick.h"

namespace corvellan::testing {

struct CountingSound : SoundSink {
    int exhaust = 0, errors = 0, beeps = 0;
    void playExhaust(int, int) override { ++exhaust; }
    void playError() override { ++errors; }
    void beep() override { ++beeps; }
};

inline FrameState fixedFrame(std::uint64_t seed = 12345) {
    FrameState f;
    f.clock = [](std::string& date, std::string& time) {
        date = "01/02/03";
        time = "04:05:06";
    };
    f.seedSource = [seed] { return seed; };
    return f;
}

// Primitives of one kind and colour, in order.
inline std::vector<Primitive> ofKindAndColour(const RecordingCanvas& c, PrimitiveKind kind,
                                              Rgb colour) {
    std::vector<Primitive> out;
    for (const Primitive& p : c.primitives())
        if (p.kind == kind && p.colour == colour) out.push_back(p);
    return out;
}

// Pixels recorded inside columns x0..x1-1 and rows y0..y1-1.
inline long pixelsInside(const RecordingCanvas& c, long x0, long x1, long y0, long y1) {
    long n = 0;
    for (const Primitive& p : c.primitives())
        if (p.kind == PrimitiveKind::Pixel && p.coords[0] >= x0 && p.coords[0] < x1 &&
            p.coords[1] >= y0 && p.coords[1] < y1)
            ++n;
    return n;
}

} // namespace corvellan::testing
