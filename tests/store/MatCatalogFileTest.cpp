#include "store/MatCatalogFile.h"

#include "../support/FileSizeLimit.h"
#include "../support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallix {
namespace {

namespace fs = std::filesystem;
using MatCatalogFileTest = test::TempFolder;

void writeText(const fs::path& f, const std::string& text) {
    std::ofstream(f, std::ios::binary) << text;
}
std::string readText(const fs::path& f) {
    std::ifstream in(f, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(MatCatalogFileTest, LoadSortsAndDropsRepeatedLines) {
    const fs::path f = dir_ / MatCatalogFile::kFileName;
    writeText(f, "b,1,1,1,1,[2]\r\nA,1,1,1,1,[1]\n\n  \nB,1,1,1,1,[2]\nA,1,1,1,1,[1]\n");
    MatCatalogFile file(f);
    MatCatalog cat;
    cat.insertSorted("old,1,1,1,1,[]");
    EXPECT_FALSE(file.load(cat));
    EXPECT_EQ(cat.lines(), (std::vector<std::string>{"A,1,1,1,1,[1]", "b,1,1,1,1,[2]"}));
    EXPECT_FALSE(ChkptMatsTSL(cat, file));
    EXPECT_EQ(readText(f), "A,1,1,1,1,[1]\nb,1,1,1,1,[2]\n");
}

TEST_F(MatCatalogFileTest, MissingFileIsAnEmptyCatalog) {
    MatCatalogFile file(dir_ / MatCatalogFile::kFileName);
    MatCatalog cat;
    EXPECT_FALSE(file.load(cat));
    EXPECT_EQ(cat.size(), 0);
    cat.insertSorted("A,1,1,1,1,[1]");
    EXPECT_FALSE(ChkptMatsTSL(cat, file));
    EXPECT_EQ(readText(file.file()), "A,1,1,1,1,[1]\n");
}

TEST_F(MatCatalogFileTest, FailedWriteLeavesTheOldFileAndSaysSo) {
    const fs::path f = dir_ / MatCatalogFile::kFileName;
    const std::string old = "A,1,1,1,1,[1]\n";
    writeText(f, old);
    MatCatalogFile file(f);
    MatCatalog cat;
    ASSERT_FALSE(file.load(cat));
    for (char name = 'B'; name <= 'Z'; ++name)
        cat.insertSorted(std::string(1, name) + ",46000.5,46000.5,10,10,[1,2,3,4,5,6,7,8,9]");
    {
        test::FileSizeLimit limit(64);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(
            ChkptMatsTSL(cat, file),
            std::optional<std::string>("Error: unable to save new matric definition to disk ??"));
    }
    EXPECT_EQ(readText(f), old);
    EXPECT_EQ(cat.size(), 26); // the change stays in memory
}

TEST_F(MatCatalogFileTest, UnreadableFileWarnsAndIsNeverWrittenOver) {
    const fs::path f = dir_ / MatCatalogFile::kFileName;
    fs::create_directory(f); // exists, cannot be read as a file
    MatCatalogFile file(f);
    MatCatalog cat;
    cat.insertSorted("A,1,1,1,1,[1]");
    EXPECT_EQ(file.load(cat), std::optional<std::string>(
                                  "Error reading Matrix catalog - catalog initialized to empty."));
    EXPECT_EQ(cat.size(), 0);
    ASSERT_TRUE(file.loadReason());
    cat.insertSorted("B,1,1,1,1,[1]");
    EXPECT_TRUE(ChkptMatsTSL(cat, file));
    EXPECT_TRUE(fs::is_directory(f));
}

} // namespace
} // namespace tallix
