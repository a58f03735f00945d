#include "store/FuncSlotsIni.h"

#include "engine/func/FuncSet.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

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

void loadSlot(std::string_view value, FuncSet& set, int n) {
    std::size_t comma = value.find(',');
    if (value.empty() || comma == std::string_view::npos) return;
    set.setShown(n, value.substr(0, comma + 1) == "t,");
    value.remove_prefix(comma + 1);

    comma = value.find(',');
    if (comma == std::string_view::npos) return;
    const std::optional<long long> colour = parseInteger(value.substr(0, comma));
    if (!colour || *colour < INT32_MIN || *colour > UINT32_MAX) return;
    set.setColour(n, static_cast<ColourValue>(*colour));
    value.remove_prefix(comma + 1);

    std::vector<TokenCode> tokens;
    while (tokens.size() < static_cast<std::size_t>(kMaxFuncTokens)) {
        comma = value.find(',');
        const std::optional<long long> code = parseInteger(value.substr(0, comma));
        if (code && *code >= 0 && *code <= 255) tokens.push_back(static_cast<TokenCode>(*code));
        if (comma == std::string_view::npos) break;
        value.remove_prefix(comma + 1);
    }
    set.setTokens(n, tokens);
    set.editText(n, [](TokenLine& line) { line.cursor = 1; });
}

} // namespace

void loadFuncSlots(const IniFile& ini, FuncSet& set) {
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        const std::optional<std::string> value = ini.get(kSection, keyName(n));
        if (!value) continue;
        loadSlot(*value, set, n);
        set.CurrentFunc = n;
    }
    set.CurrentFunc = 1;
    set.FuncsChanged = false; // as loaded: nothing to write back
}

void storeFuncSlots(IniFile& ini, const FuncSet& set) {
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        const FuncSlot& slot = set.slot(n);
        std::string text = slot.Shown ? "t," : "f,";
        text += std::to_string(slot.Colour);
        for (TokenCode code : slot.text.tokens()) {
            text += ',';
            text += std::to_string(code);
        }
        // Without a token field the colour would not be read back.
        if (slot.text.empty()) text += ',';
        ini.set(kSection, keyName(n), text);
    }
}

WriteResult saveFuncSlots(SettingsStore& store, const FuncSet& set) {
    return store.update([&](IniFile& ini) { storeFuncSlots(ini, set); });
}

} // namespace tallix
