#include "engine/core/Tokens.h"

#include <gtest/gtest.h>

#include <string>

using namespace tallix;

namespace {

// Feeds each character and returns the codes produced, in order.
std::string feedAll(KeywordFeed& feed, std::string_view text, std::span<const Keyword> words,
                    std::vector<int>* codes) {
    for (char c : text)
        if (auto code = feed.feed(c, words)) codes->push_back(*code);
    return feed.pending();
}

} // namespace

TEST(KeywordFeed, SpellsAWordLetterByLetter) {
    KeywordFeed feed;
    std::vector<int> codes;
    EXPECT_EQ(feedAll(feed, "s", CalcKeywords, &codes), "S");
    EXPECT_EQ(feedAll(feed, "i", CalcKeywords, &codes), "SI");
    EXPECT_EQ(feedAll(feed, "n", CalcKeywords, &codes), "");
    EXPECT_EQ(codes, std::vector<int>{10});
}

TEST(KeywordFeed, OneLetterWordsAndDeadEnds) {
    struct Case {
        const char* typed;
        bool funcMode;
        std::vector<int> codes;
        const char* pending;
    };
    const Case cases[] = {
        {"e", false, {29}, ""},        {"e", true, {29}, ""},     {"x", false, {}, ""},
        {"x", true, {0}, ""},          {"sq", false, {}, "SQ"},   {"sx", false, {}, ""},
        {"sqrt", true, {8}, ""},       {"nrt", false, {32}, ""},  {"arcsin", false, {34, 10}, ""},
        {"LnLog", true, {32, 24}, ""}, {"frac", false, {35}, ""}, {"pie", false, {27, 29}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.funcMode ? " (f(x))" : " (calc)"));
        KeywordFeed feed;
        std::vector<int> codes;
        const std::string pending = c.funcMode ? feedAll(feed, c.typed, FuncKeywords, &codes)
                                               : feedAll(feed, c.typed, CalcKeywords, &codes);
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(pending, c.pending);
    }
}

TEST(KeywordFeed, BackspaceEatsPendingLettersFirst) {
    KeywordFeed feed;
    feed.feed('c', CalcKeywords);
    feed.feed('b', CalcKeywords);
    EXPECT_TRUE(feed.backspace());
    EXPECT_EQ(feed.pending(), "C");
    EXPECT_TRUE(feed.backspace());
    EXPECT_FALSE(feed.backspace()); // now the backspace key acts on the line
}

TEST(KeyboardCodes, DigitsOperatorsAndModeDifferences) {
    const std::string digits = "0123456789";
    for (std::size_t d = 0; d < digits.size(); ++d) {
        EXPECT_EQ(calcCodeForChar(digits[d]), kDigitCodes[d]);
        EXPECT_EQ(funcCodeForChar(digits[d]), kDigitCodes[d]);
        EXPECT_EQ(digitOfCode(kDigitCodes[d]), static_cast<int>(d));
    }
    EXPECT_EQ(calcCodeForChar('!'), 33);
    EXPECT_EQ(funcCodeForChar('!'), 35);
    EXPECT_EQ(calcCodeForChar('='), 31);
    EXPECT_EQ(funcCodeForChar('['), 41);
    EXPECT_EQ(funcCodeForChar('}'), 42);
    EXPECT_FALSE(calcCodeForChar('['));
    EXPECT_FALSE(calcCodeForChar('a'));
    EXPECT_EQ(CalcKeyGlyphs[calcCodeForChar('^').value()], "^");
    EXPECT_EQ(FuncKeyGlyphs[funcCodeForChar('/').value()], "/");
}

TEST(KeypadGeometry, HitTestCoversEveryPixelOnce) {
    for (auto [w, h] : {std::pair{kCalcKeypadWidth, kCalcKeypadHeight},
                        std::pair{kFuncKeypadWidth, kFuncKeypadHeight}}) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                auto hit = keypadHitTest(w, h, x, y);
                ASSERT_TRUE(hit);
                ASSERT_LT(hit->code, 40);
            }
        EXPECT_FALSE(keypadHitTest(w, h, w, 0));
        EXPECT_FALSE(keypadHitTest(w, h, -1, 5));
        EXPECT_EQ(keypadHitTest(w, h, w - 1, h - 1)->code, 39);
    }
    // 235 / 8 = 29.375: x = 29 is still column 0, x = 30 column 1.
    EXPECT_EQ(keypadHitTest(235, 147, 29, 0)->column, 0);
    EXPECT_EQ(keypadHitTest(235, 147, 30, 0)->column, 1);
}

TEST(KeypadGeometry, TallEnterKeyCoversTwoRows) {
    const PixelRect low = keypadCellRect(238, 148, 39, true);
    const PixelRect high = keypadCellRect(238, 148, 31, true);
    EXPECT_EQ(low.top, high.top);
    EXPECT_EQ(low.top, 89); // round(3 * 29.6)
    EXPECT_EQ(low.bottom, 147);
    EXPECT_EQ(low.left, 208); // round(7 * 29.75) = round(208.25)
    EXPECT_EQ(low.right, 237);
    // A click in the lower half gives 39.
    EXPECT_EQ(keypadHitTest(238, 148, 220, 140)->code, 39);
    // The calculator's "=" key is one cell.
    const PixelRect eq = keypadCellRect(235, 147, 31, false);
    EXPECT_EQ(eq.top, 88);     // round(3 * 29.4) = round(88.2)
    EXPECT_EQ(eq.bottom, 118); // round(117.6)
}
