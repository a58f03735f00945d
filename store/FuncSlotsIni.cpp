#include "store/FuncSlotsIni.h"

#include "engine/func/FuncSet.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

namespace {

constexpr std::string_view kSection = "config";

std::string keyName(int n) {
    return "func" + std::to_string(n);
}

// A whole field as a decimal integer with an optional sign, or nothing.
std::optional<long long> parseInteger(std::string_view field) {
    if (field.starts_with('+')) field.remove_prefix(1);
    if (field.empty()) return std::nullopt;
    long long v = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (ec != std::errc() || end != field.data() + field.size()) return std::nullopt;
    return v;
}

void loadSlot(std::string_view value, FuncSlot& slot) {
    std::size_t comma = value.find(',');
    if (value.empty() || comma == std::string_view::npos) return;
    slot.Shown = value.substr(0, comma + 1) == "t,";
    value.remove_prefix(comma + 1);

    comma = value.find(',');
    if (comma == std::string_view::npos) return;
    const std::optional<long long> colour = parseInteger(value.substr(0, comma));
    if (!colour || *colour < INT32_MIN || *colour > UINT32_MAX) return;
    slot.Colour = static_cast<ColourValue>(*colour);
    value.remove_prefix(comma + 1);

    while (slot.TokenCount < kMaxFuncTokens) {
        comma = value.find(',');
        const std::optional<long long> code = parseInteger(value.substr(0, comma));
        if (code && *code >= 0 && *code <= 255) {
            slot.Tokens[slot.TokenCount] = static_cast<TokenCode>(*code);
            slot.TokenX[slot.TokenCount] = -1;
            ++slot.TokenCount;
        }
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
}

} // namespace

void loadFuncSlots(const IniFile& ini, FuncSet& set) {
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        const std::optional<std::string> value = ini.get(kSection, keyName(n));
        if (!value) continue;
        FuncSlot& slot = set.slot(n);
        loadSlot(*value, slot);
        slot.Cursor = 1;
        set.CurrentFunc = n;
    }
    set.CurrentFunc = 1;
}

void storeFuncSlots(IniFile& ini, const FuncSet& set) {
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        const FuncSlot& slot = set.slot(n);
        std::string text = slot.Shown ? "t," : "f,";
        text += std::to_string(slot.Colour);
        for (int i = 0; i < slot.TokenCount; ++i) {
            text += ',';
            text += std::to_string(slot.Tokens[i]);
        }
        ini.set(kSection, keyName(n), text);
    }
}

WriteResult saveFuncSlots(SettingsStore& store, const FuncSet& set) {
    return store.update([&](IniFile& ini) { storeFuncSlots(ini, set); });
}

} // namespace tallix
