#include "store/History.h"
#include "store/FolderLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
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

// Two windows open at once: each save adds what that window recorded to what
// the file holds by then.
TEST(ExpressionHistory, SavesMergeWithWhatAnotherWindowSaved) {
    const fs::path f = fs::temp_directory_path() / ("tallix-merge-" + std::to_string(::getpid()));
    std::ofstream(f) << "40000,19\n";
    const TokenCode one[] = {19}, two[] = {20}, three[] = {21};
    ExpressionHistory first, second;
    first.load(f);
    second.load(f);
    first.record(40001, one);
    second.record(40002, two);
    second.record(40003, three);
    ASSERT_TRUE(first.save(f).ok);
    ASSERT_TRUE(second.save(f).ok);
    EXPECT_FALSE(second.changed());
    ASSERT_TRUE(first.save(f).ok); // nothing new: nothing added twice

    ExpressionHistory reread;
    reread.load(f);
    fs::remove(f);
    EXPECT_EQ(reread.entries(),
              (std::vector<std::string>{"40003,21", "40002,20", "40001,19", "40000,19"}));
}

TEST(ExpressionHistory, UnreadableFileIsReportedAndNeverWritten) {
    const fs::path f =
        fs::temp_directory_path() / ("tallix-hist-dir-" + std::to_string(::getpid()));
    fs::create_directory(f);
    ExpressionHistory h;
    h.load(f);
    ASSERT_TRUE(h.loadError());
    EXPECT_NE(h.loadError()->find(f.string()), std::string::npos);
    const TokenCode one[] = {19};
    h.record(40001, one);
    fs::remove(f);
    const WriteResult r = h.save(f); // the path is free now, but still refused
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("could not be read at start"), std::string::npos);
    EXPECT_FALSE(fs::exists(f));
    EXPECT_EQ(h.entries().size(), 1u);

    ExpressionHistory missing;
    missing.load(f);
    EXPECT_FALSE(missing.loadError());
}

// An entry ending in stray CRs was unusable on reading but became usable once
// saved (the save writes it back with LF alone).
TEST(ExpressionHistory, EntriesMeanTheSameAfterASave) {
    const fs::path f = fs::temp_directory_path() / ("tallix-cr-" + std::to_string(::getpid()));
    std::ofstream(f) << "45000.5,19,6,20\r\r\n\r\n45001,19\r";
    ExpressionHistory h;
    h.load(f);
    const std::vector<std::string> loaded = h.entries();
    EXPECT_EQ(loaded, (std::vector<std::string>{"45000.5,19,6,20", "45001,19"}));
    ASSERT_TRUE(h.save(f).ok);
    ExpressionHistory reread;
    reread.load(f);
    fs::remove(f);
    EXPECT_EQ(reread.entries(), loaded);
}

// Another window saving while this one merges: the save waits for it and
// merges what it wrote.
TEST(ExpressionHistory, SaveWaitsForAnotherWindowsSave) {
    const fs::path dir =
        fs::temp_directory_path() / ("tallix-hist-lock-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path f = dir / ExpressionHistory::kFileName;
    ExpressionHistory h;
    h.load(f);
    const TokenCode one[] = {19};
    h.record(40001, one);
    std::future<WriteResult> saved;
    {
        const FolderLock other(dir);
        ASSERT_TRUE(other.locked());
        saved = std::async(std::launch::async, [&] { return h.save(f); });
        EXPECT_EQ(saved.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
        ASSERT_TRUE(writeFileAtomically(f, "40000,20\n").ok);
    }
    EXPECT_TRUE(saved.get().ok);
    EXPECT_EQ(h.entries(), (std::vector<std::string>{"40001,19", "40000,20"}));
    fs::remove_all(dir);
}

TEST(ExpressionHistory, AHugeFileIsRefusedAndKept) {
    const fs::path f = fs::temp_directory_path() / ("tallix-huge-" + std::to_string(::getpid()));
    { std::ofstream(f) << "40000,19\n"; }
    fs::resize_file(f, kMaxHistoryBytes + 1);
    ExpressionHistory h;
    h.load(f);
    ASSERT_TRUE(h.loadError());
    EXPECT_NE(h.loadError()->find("File too large (over 64 MB)"), std::string::npos);
    const TokenCode one[] = {19};
    h.record(40001, one);
    EXPECT_FALSE(h.save(f).ok);
    EXPECT_EQ(fs::file_size(f), kMaxHistoryBytes + 1);
    fs::remove(f);
}
