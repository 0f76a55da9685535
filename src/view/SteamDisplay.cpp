#include "view/SteamDisplay.h"

#include "model/Valve.h"
#include "view/DrawHelpers.h"

#include <chrono>
#include <cmath>
#include <functional>
#include <vector>

namespace corvellan {

namespace {

// splitmix64: small, fast and good enough for uniform dot positions.
struct DotRandom {
    std::uint64_t& state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0..n-1; 0 for n = 0; a negative n gives n+1..0.
    Pix below(Pix n) {
        if (n == 0) return 0;
        const bool negative = n < 0;
        const unsigned long long span = negative ? 0ULL - static_cast<unsigned long long>(n)
                                                 : static_cast<unsigned long long>(n);
        const auto r = static_cast<Pix>((static_cast<unsigned __int128>(next()) * span) >> 64);
        return negative ? -r : r;
    }
};

// round(f(i)) for the random steps i of one area. Rounding is slow next to a
// pixel write, and an area has few distinct steps but many dots, so small
// ranges are rounded once each up front.
class RoundedSteps {
  public:
    template <class F> RoundedSteps(Pix range, F f) : f_(f) {
        if (range > 0 && range <= kTableLimit)
            for (Pix i = 0; i < range; ++i)
                table_.push_back(roundToInt(f(i)));
    }
    Pix operator()(Pix i) const {
        if (i >= 0 && i < static_cast<Pix>(table_.size())) return table_[i];
        return roundToInt(f_(i));
    }

  private:
    static constexpr Pix kTableLimit = 4096;
    std::function<Ext(Pix)> f_;
    std::vector<Pix> table_;
};

Pix capped(Ext count) {
    const Pix n = roundToInt(count);
    if (n < 0) return 0;
    return n > kMaxDotsPerArea ? kMaxDotsPerArea : n;
}

struct SteamPainter {
    Model& m;
    const SectionOutlines& s;
    Canvas& c;
    SoundSink& sound;
    DotRandom rnd;

    bool visible(Pix x0, Pix x1, Pix y0, Pix y1) const {
        return std::max(x0, x1) >= 0 && std::min(x0, x1) < c.width() && std::max(y0, y1) >= 0 &&
               std::min(y0, y1) < c.height();
    }
    void dot(Pix x, Pix y, Rgb colour) { c.pixel(toScreen(x), toScreen(y), colour); }

    // `count` dots at x0 + random(x1 - x0), y0 + random(y1 - y0).
    void scatter(Pix count, Pix x0, Pix x1, Pix y0, Pix y1, Rgb colour) {
        if (count <= 0 || !visible(x0, x1, y0, y1)) return;
        for (Pix i = 0; i < count; ++i)
            dot(x0 + rnd.below(x1 - x0), y0 + rnd.below(y1 - y0), colour);
    }

    // A pixel height that divides a position: 0 becomes 1, with a beep.
    Pix divisorHeight(Pix h) {
        if (h != 0) return h;
        if (m.error.ErrorBeep) sound.beep();
        return 1;
    }

    void liveSteam();
    void cylinderEnd(bool front, Pix n, Rgb colour);
    void passage(bool front, Pix count, Rgb colour);
    void exhaust(Pix n, Rgb colour);
    void plume(Pix count, Rgb colour);
    void legend();
};

void SteamPainter::liveSteam() {
    const Ext scale = m.view.current.ViewScale;
    const Pix above = capped(scale * 5.4L), chest = capped(scale * 10.8L);
    const Rgb red = colours::Red;
    scatter(above, s.exhaustRear, s.exhaustFront, s.chestTop,
            s.chestTop - (s.portFace - s.spindleLine), red);
    scatter(chest, s.chestRear, s.chestFront, s.chestTop, s.valveTop, red);
    if (s.chestRear < s.valveRear)
        scatter(chest, s.chestRear, s.valveRear, s.valveTop, s.portFace, red);
    if (s.valveFront < s.chestFront)
        scatter(chest, s.valveFront, s.chestFront, s.valveTop, s.portFace, red);
}

void SteamPainter::passage(bool front, Pix count, Rgb colour) {
    if (count <= 0) return;
    const Pix height = divisorHeight(s.boreTop - s.passageTop);
    const Pix top = front ? s.frontBridge : s.rearBridge;
    const Pix bottom = front ? s.frontOpening : s.rearOpening;
    const Pix width = front ? s.steamPortPx : -s.steamPortPx; // rear widens towards the rear
    const Pix w = width < 0 ? -width : width;
    if (!visible(std::min(top, bottom) - w, std::max(top, bottom) + w, s.passageTop,
                 s.passageTop + height))
        return;
    const Ext run = static_cast<Ext>(bottom - top);
    const RoundedSteps shift(height, [&](Pix d) { return run * d / height; });
    for (Pix i = 0; i < count; ++i) {
        const Pix d = rnd.below(height);
        dot(top + shift(d) + rnd.below(width), s.passageTop + d, colour);
    }
}

void SteamPainter::cylinderEnd(bool front, Pix n, Rgb colour) {
    if (front) {
        if (s.pistonFront < s.boreFront)
            scatter(n, s.pistonFront, s.boreFront, s.boreTop, s.boreBottom, colour);
    } else if (s.boreRear < s.pistonRear) {
        scatter(n, s.boreRear, s.pistonRear, s.boreTop, s.boreBottom, colour);
    }
    if (n > 7) passage(front, n / 8, colour);
    if (front)
        scatter(n / 20, s.frontBridge, s.frontPortOuter, s.portFace, s.passageTop, colour);
    else
        scatter(n / 20, s.rearBridge, s.rearPortOuter, s.portFace, s.passageTop, colour);
}

void SteamPainter::plume(Pix count, Rgb colour) {
    if (count <= 0) return;
    const Pix h = divisorHeight(s.portFace - s.chestTop);
    const Pix base = s.chestTop - h;
    const Ext w = static_cast<Ext>(s.exhaustPortPx);
    const Pix reach = 3 * static_cast<Pix>(roundToInt(std::fabs(w))) + 1;
    if (!visible(s.frontBridge - reach, s.frontBridge + reach, base, base - 3 * h)) return;
    // The plume widens as it rises: r pixels up it spreads w * r / h.
    const RoundedSteps half(3 * h, [&](Pix r) { return w * r / h; });
    const RoundedSteps full(3 * h, [&](Pix r) { return 2 * (w * r / h); });
    for (Pix i = 0; i < count; ++i) {
        const Pix r = rnd.below(3 * h);
        dot(s.frontBridge - half(r) + rnd.below(full(r)), base - r, colour);
    }
}

void SteamPainter::exhaust(Pix n, Rgb colour) {
    scatter(n / 10, s.cavityRear, s.cavityFront, s.cavityTop, s.portFace, colour);
    scatter(n / 15, s.exhaustRear, s.exhaustFront, s.portFace,
            s.portFace + (s.portFace - s.spindleLine), colour);
    scatter(n / 20, s.exhaustRear, s.exhaustFront, s.chestTop,
            s.chestTop - (s.portFace - s.chestTop), colour);
    plume(n / 6, colour);
}

void SteamPainter::legend() {
    const Pix xr = s.boreRear, yb = s.boreBottom;
    TextStyle t;
    t.colour = colours::Red;
    drawText(c, xr - 40, yb + 5, "ADMISSION", t);
    t.colour = colours::Fuchsia;
    drawText(c, xr + 40, yb + 5, "EXPANSION", t);
    t.colour = colours::Blue;
    drawText(c, xr - 40, yb + 17, "EXHAUST", t);
    t.colour = colours::Green;
    drawText(c, xr + 24, yb + 17, "COMPRESSION", t);
}

std::uint64_t clockSeed() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

} // namespace

Pix steamDotCount(Ext level, Ext viewScale) {
    return capped(level * viewScale / 18.5L);
}

void drawSteamDisplay(Model& m, FrameState& f, Canvas& c, SoundSink& sound) {
    f.randomState = f.seedSource ? f.seedSource() : clockSeed();
    SteamPainter p{m, f.section, c, sound, DotRandom{f.randomState}};
    p.liveSteam();
    updatePhases(m);
    updateSteamLevels(m);
    const Ext scale = m.view.current.ViewScale;
    const Pix nf = steamDotCount(m.events.front.steamLevel, scale);
    const Pix nr = steamDotCount(m.events.rear.steamLevel, scale);
    p.cylinderEnd(true, nf, phaseColour(m.events.front.phase));
    p.cylinderEnd(false, nr, phaseColour(m.events.rear.phase));
    p.exhaust(nf, m.valve.FrontExhaustOpening > 0 ? colours::Blue : colours::White);
    p.exhaust(nr, m.valve.RearExhaustOpening > 0 ? colours::Blue : colours::White);
    if (m.display.screenData) p.legend();
    updateExhaustBeats(m, sound);
}

} // namespace corvellan
