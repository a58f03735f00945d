#pragma once

#include <chrono>
#include <filesystem>
#include <string_view>

namespace tallix {

// Where the program's files live. The program entry decides the folder once
// (choose) and hands it to the windows and stores, which take their files'
// paths from their caller and read no process-wide choice.
class DataFolder {
public:
    // The folder for this run: `programFolder` when files can be created in
    // it and it is not the bin/ of an installed tree (isInstalledProgramFolder),
    // otherwise the per-user folder $XDG_DATA_HOME/tallix (normally
    // ~/.local/share/tallix; the temporary folder when neither variable is
    // usable), created when needed. When the per-user folder is created, it
    // starts with copies of the data files shipped beside the program
    // (isDataFileName), so a read-only installation still gives its
    // "tallix.ini"; files already in the per-user folder are never replaced.
    static std::filesystem::path choose(const std::filesystem::path& programFolder,
                                        const char* xdgDataHome, const char* home);

    // Copies the data files found in `programFolder` into `dataFolder`,
    // skipping those already there; what cannot be copied is left out.
    static void copyShippedFiles(const std::filesystem::path& programFolder,
                                 const std::filesystem::path& dataFolder);

    // The folder of the running executable (the current folder when that
    // cannot be found).
    static std::filesystem::path programFolder();

    // Removes the temporaries that writeFileAtomically left in `folder` when
    // the program stopped part way through a save (a crash, a power cut):
    // files named as its temporaries of a data file (isDataFileName), last
    // changed more than `olderThan` ago, so that a save another window is
    // making now keeps its own. Other files are never touched. Returns how
    // many were removed. The program entry calls it once, right after
    // choose().
    static int removeStaleTemporaries(const std::filesystem::path& folder,
                                      std::chrono::seconds olderThan = std::chrono::minutes(2));

    // The files that belong to the data folder: "tallix.ini" and the list
    // files (".Lst", any case), the expression history "quorvHist.Lst" among
    // them.
    static bool isDataFileName(std::string_view name);
};

// True when a file can be created in `folder`.
bool isWritableFolder(const std::filesystem::path& folder);

} // namespace tallix
