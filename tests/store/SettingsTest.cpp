#include "store/Settings.h"
#include "engine/func/FuncSet.h"
#include "engine/func/FuncText.h"
#include "store/AtomicFile.h"
#include "store/FuncSlotsIni.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
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
