#include "store/AtomicFile.h"
#include "store/DataFolder.h"
#include "store/IniFile.h"
#include "store/SuiteFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace tallix;
namespace fs = std::filesystem;

namespace {

using test::TempFolder;

std::string slurp(const fs::path& p) {
    std::string s;
    EXPECT_TRUE(readWholeFile(p, s));
    return s;
}

} // namespace

using AtomicFile = TempFolder;

TEST_F(AtomicFile, ReplacesContentsAndLeavesNoTemporary) {
    const fs::path f = dir_ / "tallix.ini";
    ASSERT_TRUE(writeFileAtomically(f, "one\n").ok);
    ASSERT_TRUE(writeFileAtomically(f, "two\n").ok);
    EXPECT_EQ(slurp(f), "two\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(AtomicFile, FailedWriteKeepsTheOldFileAndSaysWhy) {
    const fs::path f = dir_ / "quorvHist.Lst";
    ASSERT_TRUE(writeFileAtomically(f, "old").ok);
    WriteResult r;
    {
        test::FileSizeLimit full(16); // the write fails part way
        ASSERT_TRUE(full.ok());
        r = writeFileAtomically(f, std::string(4096, 'n'));
    }

    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("quorvHist.Lst"), std::string::npos);
    EXPECT_EQ(slurp(f), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(AtomicFile, MissingFolderFailsCleanly) {
    const WriteResult r = writeFileAtomically(dir_ / "no" / "such" / "file", "x");
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
}

TEST_F(AtomicFile, FolderOrMissingFileIsNotReadable) {
    std::string s = "kept";
    EXPECT_FALSE(readWholeFile(dir_, s));
    EXPECT_FALSE(readWholeFile(dir_ / "absent.txt", s));
    EXPECT_EQ(s, "kept");
}

TEST_F(AtomicFile, ReadTellsAMissingFileFromAnUnreadableOne) {
    std::string s = "kept";
    EXPECT_EQ(readFile(dir_ / "absent.txt", s).status, ReadResult::Status::Missing);
    const ReadResult folder = readFile(dir_, s);
    EXPECT_EQ(folder.status, ReadResult::Status::Failed);
    EXPECT_EQ(folder.reason, "Is a directory");
    // Opens, then fails on the first read: no longer taken for an empty file.
    EXPECT_EQ(readFile("/proc/self/mem", s).status, ReadResult::Status::Failed);
    EXPECT_EQ(s, "kept");
}

using DataFolderChoice = TempFolder;

TEST_F(DataFolderChoice, ProgramFolderWhenWritableElseXdg) {
    EXPECT_EQ(DataFolder::choose(dir_, nullptr, nullptr), dir_);
    const fs::path xdg = dir_ / "xdg";
    EXPECT_EQ(DataFolder::choose(dir_ / "missing", xdg.c_str(), "/nonexistent"), xdg / "tallix");
    EXPECT_TRUE(fs::is_directory(xdg / "tallix"));
    EXPECT_EQ(DataFolder::choose(dir_ / "missing", "", dir_.c_str()),
              dir_ / ".local" / "share" / "tallix");
}

using Ini = TempFolder;

TEST_F(Ini, KeepsUnknownLinesAndReadsTypedValuesSafely) {
    const fs::path f = dir_ / "tallix.ini";
    std::ofstream(f) << "; comment\r\n[other]\nfoo=bar\n\n[Config]\nroundn=3\ncalcmode=x\n"
                        "hlcolor=99999999999\nautoscroll=1\n";
    IniFile ini(f);
    ini.load();
    EXPECT_EQ(ini.getInt("config", "roundn", -1, -1, 20), 3);
    EXPECT_EQ(ini.getInt("config", "calcmode", 0, 0, 4), 0);       // text
    EXPECT_EQ(ini.getInt("config", "hlcolor", 7, 0, 0xFFFFFF), 7); // out of range
    EXPECT_TRUE(ini.getBool("config", "autoscroll", false));
    EXPECT_FALSE(ini.getBool("config", "missing", false));

    ini.set("config", "roundn", "5");
    ini.set("config", "bgcolor", "123");
    ini.set("new", "k", "v");
    ASSERT_TRUE(ini.save().ok);
    EXPECT_EQ(slurp(f), "; comment\n[other]\nfoo=bar\n\n[Config]\nroundn=5\ncalcmode=x\n"
                        "hlcolor=99999999999\nautoscroll=1\nbgcolor=123\n[new]\nk=v\n");
}

TEST_F(Ini, MissingFileIsEmpty) {
    IniFile ini(dir_ / "none.ini");
    ini.load();
    EXPECT_FALSE(ini.get("config", "roundn"));
    EXPECT_EQ(ini.getInt("config", "roundn", -1, -1, 20), -1);
}

TEST_F(DataFolderChoice, PerUserFolderStartsFromTheShippedFiles) {
    const fs::path program = dir_ / "program", user = dir_ / "user";
    fs::create_directories(program);
    fs::create_directories(user);
    for (const char* name : {"tallix.ini", "quorvHist.Lst", "primes.LST", "tallix", "notes.txt"})
        std::ofstream(program / name) << "shipped " << name;
    std::ofstream(user / "quorvHist.Lst") << "mine";
    DataFolder::copyShippedFiles(program, user);
    EXPECT_EQ(slurp(user / "tallix.ini"), "shipped tallix.ini");
    EXPECT_EQ(slurp(user / "primes.LST"), "shipped primes.LST");
    EXPECT_EQ(slurp(user / "quorvHist.Lst"), "mine"); // never replaced
    EXPECT_FALSE(fs::exists(user / "tallix"));
    EXPECT_FALSE(fs::exists(user / "notes.txt"));

    // A read-only program folder (only an ordinary user is kept out of it).
    if (::geteuid() != 0) {
        fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
        const fs::path xdg = dir_ / "xdg";
        EXPECT_EQ(DataFolder::choose(program, xdg.c_str(), nullptr), xdg / "tallix");
        EXPECT_EQ(slurp(xdg / "tallix" / "tallix.ini"), "shipped tallix.ini");
        fs::permissions(program, fs::perms::owner_all);
    }
}

TEST_F(AtomicFile, WritesThroughLinksAndHonoursTheUmask) {
    fs::create_directory(dir_ / "real");
    std::ofstream(dir_ / "real" / "settings.ini") << "old";
    fs::permissions(dir_ / "real" / "settings.ini", fs::perms(0600));
    fs::create_symlink("real/settings.ini", dir_ / "tallix.ini");
    fs::create_symlink(dir_ / "real" / "hist.lst", dir_ / "quorvHist.Lst"); // not there yet

    const mode_t saved = ::umask(027);
    const bool linked = writeFileAtomically(dir_ / "tallix.ini", "new").ok &&
                        writeFileAtomically(dir_ / "quorvHist.Lst", "h").ok;
    const bool fresh = writeFileAtomically(dir_ / "fresh.lst", "f").ok;
    ::umask(saved);
    ASSERT_TRUE(linked && fresh);

    EXPECT_TRUE(fs::is_symlink(dir_ / "tallix.ini"));
    EXPECT_TRUE(fs::is_symlink(dir_ / "quorvHist.Lst"));
    EXPECT_EQ(slurp(dir_ / "real" / "settings.ini"), "new");
    EXPECT_EQ(slurp(dir_ / "real" / "hist.lst"), "h");
    EXPECT_EQ(fs::status(dir_ / "real" / "settings.ini").permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(dir_ / "real" / "hist.lst").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(dir_ / "fresh.lst").permissions(), fs::perms(0640));

    fs::create_symlink("loop", dir_ / "loop");
    EXPECT_FALSE(writeFileAtomically(dir_ / "loop", "x").ok);
}

TEST_F(AtomicFile, FilesOverTheCapAreRefusedWhole) {
    const fs::path f = dir_ / "f";
    std::ofstream(f) << "0123456789";
    std::string s = "kept";
    EXPECT_TRUE(readFile(f, s, 10).read());
    EXPECT_EQ(s, "0123456789");
    s = "kept";
    const ReadResult r = readFile(f, s, 9);
    EXPECT_EQ(r.status, ReadResult::Status::Failed);
    EXPECT_TRUE(r.tooLarge);
    EXPECT_EQ(s, "kept");

    // A gigabyte (sparse: no disk space) is refused before any of it is read.
    fs::resize_file(f, std::uintmax_t{1} << 30);
    EXPECT_EQ(readFile(f, s).reason, "File too large (over 64 MB)");
    EXPECT_EQ(readSuiteFile(f, s), kSuiteTooLarge);
    EXPECT_EQ(readSuiteFile("/dev/zero", s), kSuiteUnreadable);
    EXPECT_EQ(readSuiteFile(dir_ / "absent.txt", s), kSuiteUnreadable);
    EXPECT_EQ(s, "kept");
    fs::resize_file(f, kMaxSuiteBytes);
    EXPECT_FALSE(readSuiteFile(f, s));
}

TEST_F(DataFolderChoice, StaleTemporariesOfOurOwnAreRemovedAtStart) {
    struct Case {
        const char* name;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".tallix.ini.Ab3dE9", true, true},   {".quorvHist.Lst.x0Z9qq", true, true},
        {".primes.LST.aaaaaa", false, false}, // a save in progress
        {".notes.txt.Ab3dE9", true, false},   // not a data file's
        {".tallix.ini.Ab3d", true, false},    // not our naming
        {".tallix.ini.Ab3-E9", true, false},  {"tallix.ini.Ab3dE9", true, false},
        {"tallix.ini", true, false},
    };
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const Case& c : cases) {
        std::ofstream(dir_ / c.name) << "x";
        if (c.old) fs::last_write_time(dir_ / c.name, hourAgo);
    }
    EXPECT_EQ(DataFolder::removeStaleTemporaries(dir_), 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fs::exists(dir_ / c.name), !c.removed);
    }
}
