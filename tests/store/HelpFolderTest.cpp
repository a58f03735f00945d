#include "store/HelpFolder.h"
#include "store/DataFolder.h"
#include "tests/support/TempFolder.h"

#include <fstream>

namespace tallix {
namespace {

namespace fs = std::filesystem;
using HelpLocation = test::TempFolder;

TEST_F(HelpLocation, InstalledTreeThenBuildTree) {
    // An installed tree: prefix/bin/tallix, prefix/share/doc/tallix/help.
    const fs::path prefix = dir_ / "usr";
    fs::create_directories(prefix / "bin");
    EXPECT_EQ(helpFolderCandidates(prefix / "bin"),
              (std::vector<fs::path>{prefix / "share/doc/tallix/help", prefix / "help"}));
    EXPECT_EQ(findHelpFolder(prefix / "bin"), fs::path());
    fs::create_directories(prefix / "share/doc/tallix/help");
    EXPECT_EQ(findHelpFolder(prefix / "bin"), fs::path()); // no index.html yet
    std::ofstream(prefix / "share/doc/tallix/help/index.html") << "<html>";
    EXPECT_EQ(findHelpFolder(prefix / "bin"), prefix / "share/doc/tallix/help");

    // A build tree: build/app/tallix, build/help (leading to the sources' help/).
    const fs::path build = dir_ / "build";
    fs::create_directories(build / "app");
    fs::create_directories(dir_ / "source/help");
    std::ofstream(dir_ / "source/help/index.html") << "<html>";
    fs::create_directory_symlink(dir_ / "source/help", build / "help");
    EXPECT_EQ(findHelpFolder(build / "app"), build / "help");
}

TEST_F(HelpLocation, InstalledProgramKeepsItsFilesPerUser) {
    // Even when its bin/ is writable (root, or a prefix in the home folder).
    const fs::path prefix = dir_ / "prefix", xdg = dir_ / "xdg";
    fs::create_directories(prefix / "bin");
    EXPECT_EQ(DataFolder::choose(prefix / "bin", xdg.c_str(), nullptr), prefix / "bin");
    fs::create_directories(prefix / "share/doc/tallix/help");
    EXPECT_EQ(DataFolder::choose(prefix / "bin", xdg.c_str(), nullptr), xdg / "tallix");
}

} // namespace
} // namespace tallix
