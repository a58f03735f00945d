#include "store/History.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tallix;
namespace fs = std::filesystem;

TEST(ExpressionHistory, KeepsAtMost5001EntriesNewestFirst) {
    ExpressionHistory h;
    const TokenCode onePlusTwo[] = {19, 6, 20};
    for (int i = 0; i < 5001; ++i)
        h.record(40000 + i, onePlusTwo);
    ASSERT_EQ(h.entries().size(), 5001u);
    h.record(50000.5, onePlusTwo);
    EXPECT_EQ(h.entries().size(), 5001u);
    EXPECT_EQ(h.entries().front(), "50000.5,19,6,20");
    EXPECT_EQ(h.entries().back(), "40001,19,6,20"); // the oldest went
    EXPECT_TRUE(h.changed());
}

TEST(ExpressionHistory, MalformedLinesLoadButAreNotTrusted) {
    const fs::path f = fs::temp_directory_path() / ("tallix-hist-" + std::to_string(::getpid()));
    std::ofstream(f) << "45000.25,19,6,20\r\nno comma\n45000,x,3\n45000,40\n45000,1,,2\n"
                        "abc,1\n45000,255\n45000,-1\n\n45001.5,27\n";
    ExpressionHistory h;
    h.load(f);
    fs::remove(f);
    ASSERT_EQ(h.entries().size(), 9u);
    EXPECT_FALSE(h.changed());
    int usable = 0;
    for (const std::string& e : h.entries()) {
        SCOPED_TRACE(e);
        if (auto entry = ExpressionHistory::parse(e)) {
            ++usable;
            for (TokenCode t : entry->tokens)
                EXPECT_LT(t, 40);
        }
    }
    EXPECT_EQ(usable, 2);
    const auto first = ExpressionHistory::parse(h.entries().front());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->dateTime, 45000.25);
    EXPECT_EQ(first->tokens, (std::vector<TokenCode>{19, 6, 20}));
}

TEST(DateTimeNumber, MatchesTheCalendar) {
    EXPECT_EQ(dateTimeText(38081.0), "2004Apr04 00:00");
    EXPECT_EQ(dateTimeText(2.75), "1900Jan01 18:00");
    EXPECT_EQ(dateTimeText(45000.5 + 1.0 / 1440), "2023Mar15 12:01");
    EXPECT_EQ(dateTimeText(1e300), "?");
    // Round trip through the local clock: the number's date is today's.
    const double now = dateTimeNumber(std::chrono::system_clock::now());
    EXPECT_GT(now, 45000);
    EXPECT_LT(now, 80000);
}
