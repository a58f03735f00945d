#include "store/ListCatalogFile.h"

#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallix {
namespace {

namespace fs = std::filesystem;
using ListCatalogFileTest = test::TempFolder;

void writeText(const fs::path& f, const std::string& text) {
    std::ofstream(f, std::ios::binary) << text;
}
std::string readText(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(ListCatalogFileTest, LoadSortsDropsRepeatsAndSavesWithCrLf) {
    const fs::path f = dir_ / ListCatalogFile::kFileName;
    writeText(f, "b,1,1,0,/x/listb.lst,\r\nA,1,1,2,/x/listA.lst,1,2\n\nB,1,1,0,/X/LISTB.LST,\r\n");
    ListCatalogFile file(f);
    ListCatalog cat;
    EXPECT_FALSE(file.load(cat));
    EXPECT_EQ(cat.lines(),
              (std::vector<std::string>{"A,1,1,2,/x/listA.lst,1,2", "b,1,1,0,/x/listb.lst,"}));
    EXPECT_FALSE(ChkptListsTSL(cat, file));
    EXPECT_EQ(readText(f), "A,1,1,2,/x/listA.lst,1,2\r\nb,1,1,0,/x/listb.lst,\r\n");
}

TEST_F(ListCatalogFileTest, MissingCatalogIsEmptyAndAnUnreadableOneIsNeverWritten) {
    ListCatalogFile missing(dir_ / ListCatalogFile::kFileName);
    ListCatalog cat;
    EXPECT_FALSE(missing.load(cat));
    EXPECT_EQ(cat.size(), 0);

    fs::create_directory(dir_ / "folder.Lst"); // a folder where the file should be
    ListCatalogFile broken(dir_ / "folder.Lst");
    EXPECT_EQ(broken.load(cat), std::string(listmsg::kLoadFailed));
    cat.insertSorted("a,1,1,0,/x,");
    EXPECT_EQ(ChkptListsTSL(cat, broken), std::string(listmsg::kSaveFailed));
    EXPECT_TRUE(fs::is_directory(dir_ / "folder.Lst"));
}

TEST_F(ListCatalogFileTest, ItemsAreWrittenOnlyInsideTheDataFolder) {
    const fs::path data = dir_ / "data";
    fs::create_directory(data);
    EXPECT_TRUE(writeListItems(data, data / "listA.lst", {"1", "2.5"}).ok);
    EXPECT_EQ(readText(data / "listA.lst"), "1\r\n2.5\r\n");
    std::vector<std::string> items;
    EXPECT_TRUE(readListItems(data / "listA.lst", items).read());
    EXPECT_EQ(items, (std::vector<std::string>{"1", "2.5"}));

    for (const fs::path& outside : {dir_ / "listB.lst", data / ".." / "listB.lst",
                                    fs::path("listB.lst"), data / "sub" / ".." / ".." / "x.lst"}) {
        SCOPED_TRACE(outside.string());
        const WriteResult r = writeListItems(data, outside, {"1"});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, listmsg::outsideFolder(outside.string()));
    }
    EXPECT_FALSE(fs::exists(dir_ / "listB.lst"));
    // A symbolic link out of the folder does not lead writes out either.
    fs::create_directory_symlink(dir_, data / "up");
    EXPECT_FALSE(writeListItems(data, data / "up" / "listC.lst", {"1"}).ok);
    EXPECT_FALSE(fs::exists(dir_ / "listC.lst"));
}

} // namespace
} // namespace tallix
