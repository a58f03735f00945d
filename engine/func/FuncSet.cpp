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
    for (int n = 1; n <= kFuncSlotCount; ++n)
        slots_[n - 1].Colour = defaultFuncColour(n);
}

void FuncSet::tokensChanged(int n) {
    InvalidateFuncRPNn(n);
    InvalidateFuncCacheN(n);
    FuncsChanged = true;
}

void FuncSet::setTokens(int n, std::span<const TokenCode> codes) {
    editText(n, [&](TokenLine& line) { line.assign(codes); });
}

void FuncSet::setColour(int n, ColourValue c) {
    if (slots_[n - 1].Colour == c) return;
    slots_[n - 1].Colour = c;
    FuncsChanged = true;
}

void FuncSet::setShown(int n, bool shown) {
    if (slots_[n - 1].Shown == shown) return;
    slots_[n - 1].Shown = shown;
    FuncsChanged = true;
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
    FuncSlot& s = slots_[n - 1];
    for (int i = 0; i < s.FuncRPNLength; ++i)
        if (s.FuncRPN[i] < 0) FreeFnumPoolEntry(-s.FuncRPN[i]);
    s.FuncRPNLength = 0;
    runPrograms_[n - 1].length = 0;
}

void FuncSet::InvalidateFuncRPNall() {
    for (int n = 1; n <= kFuncSlotCount; ++n)
        InvalidateFuncRPNn(n);
}

void FuncSet::InvalidateFuncCacheN(int n) {
    ++slots_[n - 1].revision;
}

void FuncSet::InvalidateFuncCacheAll() {
    for (int n = 1; n <= kFuncSlotCount; ++n)
        InvalidateFuncCacheN(n);
}

void FuncSet::ClearAll() {
    for (FuncSlot& s : slots_) {
        s.text.clear();
        s.Shown = true;
        ++s.revision;
        s.FuncRPNLength = 0;
    }
    for (RunProgram& p : runPrograms_)
        p.length = 0;
    CurrentFunc = 1;
    FuncsChanged = true;
    poolUsed_.fill(false);
}

void FuncSet::prepareOutsideWrite(int n) {
    auto prepare = [this](int k) {
        InvalidateFuncRPNn(k);
        InvalidateFuncCacheN(k);
        FuncSlot& s = slots_[k - 1];
        s.text.cursor = 1;
        s.text.clearSelection();
        s.Shown = true;
    };
    CurrentFunc = n;
    prepare(n);
    // The tokens are typed in at the cursor: start from an empty slot so that
    // they replace what was there instead of landing in front of it.
    slots_[n - 1].text.clear();
    if (ParamMode && n % 2 == 1 && n < kFuncSlotCount) prepare(n + 1);
    FuncsChanged = true;
}

} // namespace tallix
