#include "store/Settings.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"
#include "store/AtomicFile.h"
#include "store/FuncSlotsIni.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>

using namespace tallix;
namespace fs = std::filesystem;

namespace {

class SettingsFile : public test::TempFolder {
protected:
    void SetUp() override {
        TempFolder::SetUp();
        file_ = dir_ / "tallix.ini";
    }
    std::string contents() const {
        std::string s;
        readWholeFile(file_, s);
        return s;
    }
    fs::path file_;
};

} // namespace

TEST_F(SettingsFile, MissingFileGivesDefaults) {
    SettingsStore store(file_);
    store.load();
    const Settings& s = store.values();
    EXPECT_EQ(s.bgcolor, 14548735);
    EXPECT_EQ(s.hlcolor, 65535);
    EXPECT_EQ(s.cursorcolor, 16711808);
    EXPECT_EQ(s.fracouterrdig, -8);
    EXPECT_EQ(s.roundn, -1);
    EXPECT_TRUE(s.exppireduction && s.floatvssci && s.colorparens && s.matpireduction &&
                s.matrational && s.matclrexpuponentry);
    EXPECT_FALSE(s.autoscroll || s.matfuncprevansw);
    EXPECT_EQ(s.calcmode, 0);
    EXPECT_FALSE(fs::exists(file_)); // reading never creates the file
    EXPECT_FALSE(store.loadError()); // a missing file is no failure
}

TEST_F(SettingsFile, BadValuesFallBackToTheirDefaults) {
    ASSERT_TRUE(writeFileAtomically(file_, "[config]\nbgcolor=pink\nroundn=21\nfracouterrdig=-3\n"
                                           "calcmode=4\nautoscroll=yes\nhlcolor=-5\n"
                                           "colorparens=0\n")
                    .ok);
    SettingsStore store(file_);
    store.load();
    const Settings& s = store.values();
    EXPECT_EQ(s.bgcolor, 14548735);
    EXPECT_EQ(s.roundn, -1);
    EXPECT_EQ(s.fracouterrdig, -8);
    EXPECT_EQ(s.hlcolor, 65535);
    EXPECT_FALSE(s.autoscroll);
    EXPECT_EQ(s.calcmode, 4); // good values are read
    EXPECT_FALSE(s.colorparens);
}

TEST_F(SettingsFile, EachChangeIsWrittenAtOnceKeepingOtherLines) {
    ASSERT_TRUE(
        writeFileAtomically(file_, "; mine\n[config]\nfunc1=x^2\nroundn=3\n[other]\na=b\n").ok);
    SettingsStore store(file_);
    store.load();
    ASSERT_TRUE(store.setCalcMode(3).ok);
    ASSERT_TRUE(store.setAutoScroll(true).ok);
    ASSERT_TRUE(store.setRoundN(-1).ok);
    EXPECT_EQ(contents(), "; mine\n[config]\nfunc1=x^2\nroundn=-1\ncalcmode=3\nautoscroll=1\n"
                          "[other]\na=b\n");

    SettingsStore again(file_);
    again.load();
    EXPECT_EQ(again.values().calcmode, 3);
    EXPECT_TRUE(again.values().autoscroll);
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFileWhole) {
    SettingsStore store(file_);
    store.load();
    ASSERT_TRUE(store.setBgColor(123).ok);
    const std::string before = contents();

    // A file-size limit below the file's size fails the write as a full disk would.
    WriteResult r;
    {
        test::FileSizeLimit full(4);
        ASSERT_TRUE(full.ok());
        r = store.setHlColor(255);
    }

    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

// A settings file that is there but cannot be read must not be replaced by
// one holding only the defaults and the last change: the user's functions
// and colours would be lost.
TEST_F(SettingsFile, UnreadableFileIsReportedAndNeverWritten) {
    fs::create_directory(file_); // a folder in the file's place
    SettingsStore store(file_);
    store.load();
    ASSERT_TRUE(store.loadError());
    EXPECT_NE(store.loadError()->find(file_.string()), std::string::npos);

    for (const WriteResult& r : {store.setBgColor(123), store.setRoundN(3)}) {
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error,
                  file_.string() +
                      " could not be read at start (Is a directory); it is left untouched.");
    }
    EXPECT_EQ(store.values().bgcolor, 123); // kept in memory for this run
    auto set = std::make_unique<FuncSet>();
    setFuncText(*set, 1, "x^2");
    EXPECT_FALSE(saveFuncSlots(store, *set).ok);

    // Even once the file can be read, this run never writes it.
    fs::remove(file_);
    ASSERT_TRUE(writeFileAtomically(file_, "[config]\nfunc1=t,255,0\n").ok);
    EXPECT_FALSE(store.setCalcMode(1).ok);
    EXPECT_EQ(contents(), "[config]\nfunc1=t,255,0\n");
}

// A header with stray CRs ("[config]\r\r\n") was no header on reading but
// became one once saved, bringing back the function below it over the one
// the user saved since.
TEST_F(SettingsFile, LinesMeanTheSameAfterASave) {
    ASSERT_TRUE(writeFileAtomically(file_, "[old]\r\n[config]\r\r\nfunc1=t,255,19\r\n").ok);
    SettingsStore store(file_);
    store.load();
    auto set = std::make_unique<FuncSet>();
    loadFuncSlots(store.ini(), *set);
    EXPECT_EQ(set->slot(1).TokenCount(), 1);
    setFuncText(*set, 1, "x^2");
    ASSERT_TRUE(saveFuncSlots(store, *set).ok);

    store.load();
    auto reread = std::make_unique<FuncSet>();
    loadFuncSlots(store.ini(), *reread);
    EXPECT_EQ(reread->slot(1).TokenCount(), 3);

    for (const char* text : {"[a]\r\r\rk=1\r\n", "k=v\r\r", "[b] \r\nk\r=2\r\r\n\r", "\r\n\r\r"}) {
        SCOPED_TRACE(text);
        IniFile once, twice;
        once.parse(text);
        twice.parse(once.text());
        EXPECT_EQ(twice.text(), once.text());
    }
}

// Two windows: one saves while the other is between reading the file and
// writing it. Without the lock the second write drops the first one's key.
TEST_F(SettingsFile, SavesOfTwoWindowsDoNotOverlap) {
    SettingsStore first(file_), second(file_);
    first.load();
    second.load();
    std::future<WriteResult> other;
    const WriteResult r = first.update([&](IniFile& ini) {
        other = std::async(std::launch::async, [&] { return second.setBgColor(255); });
        other.wait_for(std::chrono::milliseconds(300)); // it must wait for us
        ini.set("config", "func1", "t,255,19");
    });
    ASSERT_TRUE(r.ok);
    ASSERT_TRUE(other.get().ok);
    SettingsStore reread(file_);
    reread.load();
    EXPECT_EQ(reread.values().bgcolor, 255);
    EXPECT_EQ(reread.ini().get("config", "func1"), "t,255,19");
}

TEST_F(SettingsFile, AHugeFileIsRefusedAndKept) {
    { std::ofstream(file_) << "[config]\nroundn=3\n"; }
    fs::resize_file(file_, kMaxSettingsBytes + 1);
    SettingsStore store(file_);
    store.load();
    ASSERT_TRUE(store.loadError());
    EXPECT_EQ(*store.loadError(), "Cannot read " + file_.string() + ": File too large (over 4 MB)");
    EXPECT_EQ(store.values().roundn, -1);
    EXPECT_FALSE(store.setRoundN(2).ok);
    EXPECT_EQ(fs::file_size(file_), kMaxSettingsBytes + 1);
}
