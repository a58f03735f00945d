#pragma once

#include <filesystem>
#include <vector>

namespace tallix {

// The folder of the installed documentation, relative to the installation's
// root: `programFolder` is its bin/, so the pages are in ../share/doc/tallix.
inline constexpr const char* kInstalledDocFolder = "share/doc/tallix";

// True when `programFolder` is the bin/ folder of an installed tree (one with
// its documentation folder beside it), as opposed to a build folder.
bool isInstalledProgramFolder(const std::filesystem::path& programFolder);

// Where the help pages may be, in the order they are looked for:
// `<programFolder>/../share/doc/tallix/help` (an installed tree), then
// `<programFolder>/../help` (a build tree, whose help folder leads to the
// sources' help/). The paths are normalised, for showing to a person.
std::vector<std::filesystem::path> helpFolderCandidates(const std::filesystem::path& programFolder);

// The first candidate that holds the help's "index.html"; empty when none does.
std::filesystem::path findHelpFolder(const std::filesystem::path& programFolder);

} // namespace tallix
