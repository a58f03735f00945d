#include "engine/func/FuncSet.h"

namespace tallix {

namespace {

// Azure, orange, magenta, green, blue, red, purple, lime, dark blue, olive.
constexpr std::array<ColourValue, 10> kDefaultColours = {0xFF8000, 0x0080FF, 0xFF00FF, 0x008000,
                                                         0xFF0000, 0x0000FF, 0x800080, 0x00FF00,
                                                         0x804000, 0x008080};

} // namespace

ColourValue defaultFuncColour(int n) {
    return kDefaultColours[static_cast<unsigned>(n - 1) % 10];
}

FuncSet::FuncSet() {
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        slot(n).Colour = defaultFuncColour(n);
        slot(n).TokenX.fill(-1);
    }
}

int FuncSet::AddFnumToPool(Extended value) {
    for (int i = 0; i < kFnumPoolSize; ++i) {
        if (!poolUsed_[i]) {
            poolUsed_[i] = true;
            poolValue_[i] = value;
            return i + 1;
        }
    }
    return -1;
}

void FuncSet::FreeFnumPoolEntry(int n) {
    if (n >= 1 && n <= kFnumPoolSize) poolUsed_[n - 1] = false;
}

void FuncSet::InvalidateFuncRPNn(int n) {
    FuncSlot& s = slot(n);
    for (int i = 0; i < s.FuncRPNLength; ++i)
        if (s.FuncRPN[i] < 0) FreeFnumPoolEntry(-s.FuncRPN[i]);
    s.FuncRPNLength = 0;
}

void FuncSet::InvalidateFuncRPNall() {
    for (int n = 1; n <= kFuncSlotCount; ++n)
        InvalidateFuncRPNn(n);
}

void FuncSet::InvalidateFuncCacheN(int n) {
    slot(n).CacheValid = false;
}

void FuncSet::InvalidateFuncCacheAll() {
    for (int n = 1; n <= kFuncSlotCount; ++n)
        InvalidateFuncCacheN(n);
}

void FuncSet::ClearAll() {
    for (FuncSlot& s : slots_) {
        s.TokenCount = 0;
        s.Cursor = 1;
        s.CursorDrawn = false;
        s.SelStart = s.SelEnd = -1;
        s.Shown = true;
        s.CacheValid = false;
        s.FuncRPNLength = 0;
    }
    CurrentFunc = 1;
    FuncsChanged = true;
    poolUsed_.fill(false);
}

void FuncSet::prepareOutsideWrite(int n) {
    auto prepare = [this](int k) {
        InvalidateFuncRPNn(k);
        InvalidateFuncCacheN(k);
        FuncSlot& s = slot(k);
        s.Cursor = 1;
        s.SelStart = s.SelEnd = -1;
        s.Shown = true;
    };
    CurrentFunc = n;
    prepare(n);
    // The tokens are typed in at the cursor: start from an empty slot so that
    // they replace what was there instead of landing in front of it.
    slot(n).TokenCount = 0;
    if (ParamMode && n % 2 == 1 && n < kFuncSlotCount) prepare(n + 1);
    FuncsChanged = true;
}

} // namespace tallix
