#include "store/FuncSlotsIni.h"

#include "engine/func/FuncSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

using namespace tallix;

namespace {

std::vector<int> tokensOf(const FuncSlot& s) {
    return std::vector<int>(s.text.tokens().begin(), s.text.tokens().end());
}

struct LoadCase {
    const char* value;
    bool shown;
    bool defaultColour; // otherwise colour 33023
    std::vector<int> tokens;
};

TEST(FuncSlotsIni, ReadingSkipsMalformedParts) {
    const LoadCase cases[] = {
        {"f,33023,19", false, false, {19}},
        {"t,33023", true, true, {}}, // no tokens: the colour is not read
        {"t,abc,19,20", true, true, {}},
        {"f,33023,19,zz,20", false, false, {19, 20}},
        {"t,33023,19,,20,", true, false, {19, 20}},
        {"t,33023,0,7,20", true, false, {0, 7, 20}},
        {"t,33023,256,-1,255,99", true, false, {255, 99}},
        {"x,33023,1", false, false, {1}}, // any prefix but "t," hides
        {"t", true, true, {}},            // no comma: the slot is untouched
        {"", true, true, {}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.value);
        IniFile ini;
        ini.parse(std::string("[config]\nfunc4=") + c.value + "\n");
        const auto set = std::make_unique<FuncSet>();
        loadFuncSlots(ini, *set);
        const FuncSlot& s = set->slot(4);
        EXPECT_EQ(s.Shown, c.shown);
        EXPECT_EQ(s.Colour, c.defaultColour ? defaultFuncColour(4) : 33023u);
        EXPECT_EQ(tokensOf(s), c.tokens);
        EXPECT_EQ(s.text.cursor, 1);
        EXPECT_EQ(set->CurrentFunc, 1);
        EXPECT_FALSE(set->FuncsChanged);
    }
}

TEST(FuncSlotsIni, FieldsPastTheLastTokenPositionAreDropped) {
    std::string value = "t,1";
    for (int i = 0; i < kMaxFuncTokens + 10; ++i)
        value += ",19";
    IniFile ini;
    ini.parse("[config]\nfunc1=" + value + "\n");
    const auto set = std::make_unique<FuncSet>();
    loadFuncSlots(ini, *set);
    EXPECT_EQ(set->slot(1).TokenCount(), kMaxFuncTokens);
}

TEST(FuncSlotsIni, TwentySlotsRoundTrip) {
    const auto written = std::make_unique<FuncSet>();
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        written->setShown(n, n % 3 != 0);
        written->setColour(n, static_cast<ColourValue>(n * 0x010203));
        std::vector<TokenCode> tokens;
        for (int i = 0; i < (n == 7 ? 0 : n * 3); ++i)
            tokens.push_back(static_cast<TokenCode>((n + i) % 44));
        written->setTokens(n, tokens);
    }
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("tallix-funcslots-" + std::to_string(::getpid()) + ".ini");
    IniFile ini(file);
    ini.parse("[config]\nother=1\n");
    storeFuncSlots(ini, *written);
    ASSERT_TRUE(ini.save().ok);
    EXPECT_EQ(ini.get("config", "func1"), "t,66051,1,2,3");

    IniFile reread(file);
    reread.load();
    std::filesystem::remove(file);
    EXPECT_EQ(reread.get("config", "other"), "1");
    const auto read = std::make_unique<FuncSet>();
    loadFuncSlots(reread, *read);
    for (int n = 1; n <= kFuncSlotCount; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(read->slot(n).Shown, written->slot(n).Shown);
        EXPECT_EQ(tokensOf(read->slot(n)), tokensOf(written->slot(n)));
        // A slot without tokens keeps its colour too.
        EXPECT_EQ(read->slot(n).Colour, written->slot(n).Colour);
    }
}

} // namespace
