#include "model/DynVars.h"

#include "model/JogBar.h"

#include <cmath>

namespace corvellan {

namespace {

bool isBar(int k) {
    return k >= 1 && k <= 4;
}

std::string clipName(const std::string& name) {
    return name.substr(0, kDynNameLength);
}

// Brings an angle into [0, 360) in one step, so no value can make it loop for
// long; NaN is left as it is.
Real normaliseDegrees(Real v) {
    if (!std::isfinite(v)) return v;
    Ext r = std::fmod(static_cast<Ext>(v), 360.0L);
    if (r < 0) r += 360;
    Real out = clampToReal(r);
    // A tiny negative angle plus 360 can round up to 360 itself: that is 0.
    return out >= 360 ? 0 : out;
}

void setAllUndoButtons(Model& m, bool enabled) {
    m.dyn.undoEnabled.fill(enabled);
}

} // namespace

bool isDynVarCode(int code) {
    return (code >= 1 && code <= 12) || (code >= 101 && code <= 122);
}

bool dynSlotEmpty(const Model& m, int k) {
    return k < 0 || k > 4 || m.dyn.slots[k].name == kDynPlaceholderName;
}

void RegisterDimension(Model& m, int code, Real value, const std::string& name) {
    if (!isDynVarCode(code)) return;
    auto& slots = m.dyn.slots;
    slots[0] = DynVarSlot{code, value, clipName(name)};
    for (int k = 1; k <= 4; ++k) {
        if (slots[k].code == code) {
            slots[k].value = slots[0].value;
            slots[k].name = slots[0].name;
            return;
        }
    }
    for (int k = 4; k >= 1; --k)
        slots[k] = slots[k - 1];
}

void ClearDynVars(Model& m) {
    m.dyn.slots.fill(DynVarSlot{});
}

void ApplyDynVar(Model& m) {
    auto& d = m.dyn;
    if (!isBar(d.ActiveDynSlot)) return;
    DynVarSlot& slot = d.slots[d.ActiveDynSlot];
    if (!isDynVarCode(slot.code)) return;
    const bool angle = slot.code == EccCrankAngleDegCode;
    // The angle moves in tenths of a degree where lengths move in thousandths.
    if (angle) d.DynDelta = clampToReal(static_cast<Ext>(d.DynDelta) * 100);
    Real sum = clampToReal(static_cast<Ext>(dimensionValue(m, slot.code)) + d.DynDelta);
    m.events.front.cutOffText.clear();
    m.events.rear.cutOffText.clear();
    storeDimension(m, slot.code, angle ? normaliseDegrees(sum) : sum);
    slot.value = dimensionValue(m, slot.code);
}

void dynBarChanged(Model& m, int k, int position) {
    if (!isBar(k)) return;
    auto& d = m.dyn;
    d.DynDelta = 0;
    d.ActiveDynSlot = k;
    Ext increment = jogIncrement(position, d.jogLast[k], d.jogPrev[k], kDynBarDivisor,
                                 kDynBarSmallStep, kDynBarLargeStep);
    d.DynDelta = clampToReal(increment);
    ApplyDynVar(m);
}

void dynBarFocused(Model& m, int k) {
    if (isBar(k)) m.dyn.DynEntryValue = m.dyn.slots[k].value;
}

void dynBarScrollEnded(Model& m, int k) {
    // A bar is disabled while its slot is empty; an entry without a dimension
    // would only eat a level of the store.
    if (!isBar(k) || !isDynVarCode(m.dyn.slots[k].code)) return;
    auto& d = m.dyn;
    d.undoEnabled[UndoMain] = true;
    d.DimEdited = true;
    PushUndo(m);
    const DynVarSlot& slot = d.slots[k];
    d.undo[1] = UndoEntry{slot.code, d.DynEntryValue, slot.value, slot.name};
    d.DimEdited = false;
}

void commitDimensionEdit(Model& m, int code, Real before, Ext value, const std::string& label) {
    auto& d = m.dyn;
    if (d.DimEdited) {
        PushUndo(m);
        d.undo[1].code = code;
        d.undo[1].before = before;
    }
    storeDimension(m, code, value);
    const Real stored = dimensionValue(m, code);
    RegisterDimension(m, code, stored, label);
    if (d.DimEdited) {
        d.undo[1].after = stored;
        d.undo[1].name = clipName(label);
    }
    d.DimEdited = false;
}

void PushUndo(Model& m) {
    auto& d = m.dyn;
    if (!d.DimEdited) return;
    setAllUndoButtons(m, true);
    for (int i = kUndoDepth - 1; i >= 0; --i)
        d.undo[i + 1] = d.undo[i];
    if (d.UndoCount < kUndoDepth) ++d.UndoCount;
}

void UndoStep(Model& m) {
    auto& d = m.dyn;
    for (int i = 0; i < kUndoDepth; ++i)
        d.undo[i] = d.undo[i + 1];
    const UndoEntry& back = d.undo[0];
    // Restored as it was recorded: the angle is not normalised here.
    if (isDynVarCode(back.code)) storeDimension(m, back.code, back.before);
    // A step of nothing on every bar refreshes the slots and re-applies each
    // code's side effects. (A step up and back down would do the same but
    // round each bound dimension to the coarser grid of its value plus one,
    // so an undone value could come back a bit off.)
    for (int k = 1; k <= 4; ++k) {
        d.ActiveDynSlot = k;
        d.DynDelta = 0;
        ApplyDynVar(m);
    }
    d.undo[kUndoDepth] = UndoEntry{};
    if (d.undo[1].code == 0) setAllUndoButtons(m, false);
    if (d.UndoCount > 0) --d.UndoCount;
}

void ClearUndo(Model& m) {
    m.dyn.undo.fill(UndoEntry{});
    m.dyn.UndoCount = 0;
    setAllUndoButtons(m, false);
}

void undoButtonClicked(Model& m, UndoButton which) {
    if (m.dyn.undo[1].code > 0) {
        UndoStep(m);
        return;
    }
    // Nothing left to take back: a diagram window also disables the main
    // window's button.
    if (which >= 0 && which < UndoButtonCount) m.dyn.undoEnabled[which] = false;
    m.dyn.undoEnabled[UndoMain] = false;
}

bool toggleDynVarsShown(Model& m) {
    return m.dyn.DynVarsShown = !m.dyn.DynVarsShown;
}

bool toggleUndoShown(Model& m) {
    return m.dyn.UndoShown = !m.dyn.UndoShown;
}

std::string undoLine(const Model& m) {
    const UndoEntry& e = m.dyn.undo[1];
    return formatFigure(m.dyn.UndoCount, 2, 0) + "- " + e.name + " " + formatFigure(e.after, 6, 3) +
           " to " + formatFigure(e.before, 6, 3);
}

} // namespace corvellan
