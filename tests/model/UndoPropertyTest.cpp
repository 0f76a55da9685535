// Random sequences of dimension edits, bar jogs, undos and resets, checked
// step by step against a small model of the dynamic-variable and undo rules
// written here from the rules themselves: the dimensions, the five slots and
// the undo store (with its line) must agree after every step.

#include "model/DimensionEdit.h"
#include "model/Dimensions.h"
#include "model/DynVars.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <sstream>

using namespace corvellan;

namespace {

float stored(long double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

// The rules, with plain containers.
struct Reference {
    struct Slot {
        int code = 0;
        float value = 0;
        std::string name = kDynPlaceholderName;
    };
    struct Entry {
        int code = 0;
        float before = 0, after = 0;
        std::string name;
    };

    std::map<int, float> dims;
    float y4 = 0;
    Slot slots[5];
    Entry undo[21];
    int count = 0;
    int last[5] = {}, prev[5] = {};
    float entryValue = 0;

    explicit Reference(const Model& m) {
        for (const DimensionInfo& d : allDimensions()) dims[d.code] = dimensionValue(m, d.code);
        y4 = m.pivots.Y[4];
    }

    static bool dynCode(int c) { return (c >= 1 && c <= 12) || (c >= 101 && c <= 122); }

    void store(int code, float v) {
        dims[code] = v;
        if (code == 102 || code == 109) y4 = stored(static_cast<long double>(dims[102]) + dims[109]);
    }

    // Into [0, 360) a turn at a time, each step stored as a 4-byte real.
    static float turn(float v) {
        for (;;) {
            if (v >= 360)
                v = stored(static_cast<long double>(v) - 360);
            else if (v < 0)
                v = stored(static_cast<long double>(v) + 360);
            else
                return v;
        }
    }

    void apply(int k, float delta) {
        Slot& s = slots[k];
        if (!dynCode(s.code)) return;
        if (s.code == 4) delta = stored(static_cast<long double>(delta) * 100);
        const float sum = stored(static_cast<long double>(dims[s.code]) + delta);
        store(s.code, s.code == 4 ? turn(sum) : sum);
        s.value = dims[s.code];
    }

    void push() {
        for (int i = 19; i >= 0; --i) undo[i + 1] = undo[i];
        count = std::min(count + 1, 20);
    }

    void registerDim(int code, float value, const std::string& name) {
        slots[0] = {code, value, name};
        for (int k = 1; k <= 4; ++k) {
            if (slots[k].code == code) {
                slots[k].value = value;
                slots[k].name = name;
                return;
            }
        }
        for (int k = 4; k >= 1; --k) slots[k] = slots[k - 1];
    }

    void edit(int code, long double value, bool keyAccepted) {
        const float before = dims[code];
        if (keyAccepted) {
            push();
            undo[1].code = code;
            undo[1].before = before;
        }
        store(code, code == 4 ? turn(stored(value)) : stored(value));
        registerDim(code, dims[code], dimensionInfo(code)->label);
        if (keyAccepted) {
            undo[1].after = dims[code];
            undo[1].name = dimensionInfo(code)->label;
        }
    }

    // One change of bar k to position p, as the four drag rules and the two
    // click rules say, then the bar's return to 0.
    void barChanged(int k, int p) {
        float delta = 0;
        if (p > 0 && prev[k] < p) delta = stored(p / 1000.0L);
        if (p < 0 && prev[k] < p) delta = stored(-p / 1000.0L);
        if (p < 0 && p < prev[k]) delta = stored(p / 1000.0L);
        if (p > 0 && p < prev[k]) delta = stored(-p / 1000.0L);
        if (std::abs(p - last[k]) == 1) delta = stored(p / 1000.0L);
        if (std::abs(p - last[k]) == 10) delta = stored(p / 1000.0L);
        apply(k, delta);
        prev[k] = last[k];
        last[k] = p;
    }

    void scrollEnded(int k) {
        push();
        undo[1] = {slots[k].code, entryValue, slots[k].value, slots[k].name};
    }

    void undoClicked() {
        if (undo[1].code <= 0) return;
        for (int i = 0; i < 20; ++i) undo[i] = undo[i + 1];
        if (dynCode(undo[0].code)) store(undo[0].code, undo[0].before);
        // Each bound dimension refreshed by a step of nothing (a step up
        // and back down would lose a tiny value to rounding).
        for (int k = 1; k <= 4; ++k) apply(k, 0);
        undo[20] = {};
        count = std::max(count - 1, 0);
    }

    void resetFrame(const Model& nominal) {
        for (int code = 1; code <= 14; ++code) store(code, dimensionValue(nominal, code));
        for (Slot& s : slots) s = {};
        for (Entry& e : undo) e = {};
        count = 0;
    }

    // A value of the line: 3 decimals in 6 characters, or, where that would
    // take more than 8, the exponent form with as many digits as fit in 8.
    static std::string figure(float v) {
        char text[96];
        std::snprintf(text, sizeof text, "%6.3f", v);
        for (int digits = 2; digits >= 0 && std::strlen(text) > 8; --digits)
            std::snprintf(text, sizeof text, "%6.*e", digits, v);
        return text;
    }

    std::string line() const {
        char count2[8];
        std::snprintf(count2, sizeof count2, "%2d", count);
        return std::string(count2) + "- " + undo[1].name + " " + figure(undo[1].after) + " to " +
               figure(undo[1].before);
    }
};

// What differs between the program and the reference; "" when nothing.
std::string differences(const Model& m, const Reference& r) {
    std::ostringstream out;
    for (const auto& [code, value] : r.dims)
        if (dimensionValue(m, code) != value)
            out << "dimension " << code << ": " << dimensionValue(m, code) << " vs " << value << "\n";
    if (m.pivots.X[9] != r.dims.at(12) || m.pivots.Y[9] != r.dims.at(11))
        out << "pivot 9 does not follow the link pivot\n";
    if (m.pivots.Y[4] != r.y4) out << "pivot 4: " << m.pivots.Y[4] << " vs " << r.y4 << "\n";
    for (int k = 0; k <= 4; ++k) {
        const DynVarSlot& s = m.dyn.slots[k];
        if (s.code != r.slots[k].code || s.value != r.slots[k].value || s.name != r.slots[k].name)
            out << "slot " << k << ": " << s.code << " " << s.value << " '" << s.name << "' vs "
                << r.slots[k].code << " " << r.slots[k].value << " '" << r.slots[k].name << "'\n";
    }
    for (int i = 1; i <= 20; ++i) {
        const UndoEntry& e = m.dyn.undo[i];
        const Reference::Entry& x = r.undo[i];
        if (e.code != x.code || e.before != x.before || e.after != x.after || e.name != x.name)
            out << "undo entry " << i << ": " << e.code << " " << e.before << "->" << e.after
                << " vs " << x.code << " " << x.before << "->" << x.after << "\n";
    }
    if (m.dyn.UndoCount != r.count) out << "count " << m.dyn.UndoCount << " vs " << r.count << "\n";
    if (undoLine(m) != r.line()) out << "line '" << undoLine(m) << "' vs '" << r.line() << "'\n";
    return out.str();
}

class Sequence {
  public:
    explicit Sequence(unsigned seed) : random_(seed) {
        initialiseModel(m_);
        nominal_ = m_;
        ref_ = std::make_unique<Reference>(m_);
    }

    // One random user action, on both sides; a text naming it.
    std::string step() {
        const int roll = pick(100);
        if (roll < 35) return edit();
        if (roll < 80) return jog();
        if (roll < 97) {
            undoButtonClicked(m_, UndoMain);
            ref_->undoClicked();
            return "undo";
        }
        resetFrameDimensions(m_);
        ClearUndo(m_);
        ref_->resetFrame(nominal_);
        return "reset";
    }

    const Model& model() const { return m_; }
    const Reference& reference() const { return *ref_; }

  private:
    int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    int dynCode() {
        // Mostly a few codes, so slots are refreshed as well as pushed.
        static const int favourites[] = {1, 2, 4, 5, 11, 12, 102, 109};
        if (pick(3)) return favourites[pick(8)];
        const int i = pick(34);
        return i < 12 ? i + 1 : 101 + (i - 12);
    }

    long double value(int code) {
        const long double now = dimensionValue(m_, code);
        switch (pick(code == 4 ? 3 : 5)) {
        case 0: return now + (pick(201) - 100) / 1000.0L;
        case 1: return (pick(100001) - 50000) / 1000.0L;
        case 2: return pick(2) ? 0.0L : 1e-30L;
        case 3: return pick(2) ? 1e30L : -1e39L; // the second is clamped
        default: return FLT_MAX;
        }
    }

    std::string edit() {
        const int code = dynCode();
        const long double v = value(code);
        const bool key = pick(5) != 0; // a box left without a key records no undo
        m_.dyn.DimEdited = key;
        commitDimensionBox(m_, code, v);
        ref_->edit(code, v, key);
        std::ostringstream s;
        s << "edit " << code << " to " << static_cast<double>(v) << (key ? "" : " (no key)");
        return s.str();
    }

    std::string jog() {
        const int k = 1 + pick(4);
        if (dynSlotEmpty(m_, k)) return "bar " + std::to_string(k) + " disabled";
        dynBarFocused(m_, k);
        ref_->entryValue = ref_->slots[k].value;
        // An arrow, a trough click, or a drag of a few moves.
        std::vector<int> positions;
        switch (pick(3)) {
        case 0: positions = {pick(2) ? 1 : -1}; break;
        case 1: positions = {pick(2) ? 10 : -10}; break;
        default:
            for (int n = 1 + pick(4); n > 0; --n) positions.push_back(pick(401) - 200);
        }
        std::ostringstream s;
        s << "bar " << k;
        for (int p : positions) {
            for (int q : {p, 0}) {
                dynBarChanged(m_, k, q);
                ref_->barChanged(k, q);
            }
            s << " " << p;
        }
        dynBarScrollEnded(m_, k);
        ref_->scrollEnded(k);
        return s.str();
    }

    std::mt19937 random_;
    Model m_;
    Model nominal_;
    std::unique_ptr<Reference> ref_;
};

} // namespace

TEST(UndoProperty, RandomSequencesFollowTheRules) {
    for (unsigned seed : {1u, 2u, 3u, 2024u, 77777u}) {
        Sequence run(seed);
        int undos = 0, fullStores = 0;
        for (int step = 0; step < 10000; ++step) {
            const std::string action = run.step();
            const std::string diff = differences(run.model(), run.reference());
            ASSERT_EQ(diff, "") << "seed " << seed << ", step " << step << ": " << action;
            undos += action == "undo";
            fullStores += run.model().dyn.UndoCount == 20;
        }
        // The sequences reach what they are meant to test.
        EXPECT_GT(undos, 1000) << seed;
        EXPECT_GT(fullStores, 10) << seed;
    }
}
