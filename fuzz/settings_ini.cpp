// "tallix.ini" with the function slots: any file text. Loading it, saving the
// slots and loading the saved text gives the same twenty slots (shown flag,
// colour, tokens) and the same values of every other key; and the saved text
// is saved again unchanged.
#include "fuzz/FuzzCheck.h"

#include "engine/func/FuncSet.h"
#include "store/FuncSlotsIni.h"
#include "store/IniFile.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

using namespace tallix;

namespace {

const char* const kKeys[] = {"bgcolor",     "hlcolor",         "fracouterrdig",
                             "roundn",      "exppireduction",  "matpireduction",
                             "matrational", "matfuncprevansw", "matclrexpuponentry",
                             "floatvssci",  "autoscroll",      "colorparens",
                             "cursorcolor", "calcmode"};

void checkSameSlots(const FuncSet& a, const FuncSet& b) {
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        const FuncSlot &x = a.slot(n), &y = b.slot(n);
        FUZZ_CHECK(x.Shown == y.Shown, "slot %d: shown %d, then %d", n, x.Shown, y.Shown);
        FUZZ_CHECK(x.Colour == y.Colour, "slot %d: colour %u, then %u", n, x.Colour, y.Colour);
        const auto tx = x.text.tokens(), ty = y.text.tokens();
        FUZZ_CHECK(std::equal(tx.begin(), tx.end(), ty.begin(), ty.end()),
                   "slot %d: %zu tokens, then %zu", n, tx.size(), ty.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 65536) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    IniFile ini;
    ini.parse(text);
    auto loaded = std::make_unique<FuncSet>();
    loadFuncSlots(ini, *loaded);
    storeFuncSlots(ini, *loaded);
    const std::string saved = ini.text();

    IniFile again;
    again.parse(saved);
    auto reloaded = std::make_unique<FuncSet>();
    loadFuncSlots(again, *reloaded);
    checkSameSlots(*loaded, *reloaded);
    for (const char* key : kKeys) {
        const std::optional<std::string> before = ini.get("config", key),
                                         after = again.get("config", key);
        FUZZ_CHECK(before == after, "%s: \"%s\", then \"%s\"", key, before ? before->c_str() : "-",
                   after ? after->c_str() : "-");
    }
    storeFuncSlots(again, *reloaded);
    FUZZ_CHECK(again.text() == saved, "a second save changes the file");
    return 0;
}
