#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tallix {

// The one folder where every file of the program lives: the program's own
// folder when it is writable, otherwise $XDG_DATA_HOME/tallix (normally
// ~/.local/share/tallix), created on first use.
class DataFolder {
public:
    // The folder, decided once per run (or the override).
    static std::filesystem::path path();
    // Full path of a file in the folder.
    static std::filesystem::path file(std::string_view name) { return path() / std::string(name); }
    // Uses `folder` from now on (tests, a portable copy); an empty path goes
    // back to the automatic choice.
    static void setOverride(const std::filesystem::path& folder);

    // The automatic choice, given the program's folder and the environment
    // values; exposed for tests.
    static std::filesystem::path choose(const std::filesystem::path& programFolder,
                                        const char* xdgDataHome, const char* home);
};

// True when a file can be created in `folder`.
bool isWritableFolder(const std::filesystem::path& folder);

} // namespace tallix
