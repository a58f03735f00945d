#include "store/HelpFolder.h"

#include <system_error>

namespace tallix {

namespace fs = std::filesystem;

bool isInstalledProgramFolder(const fs::path& programFolder) {
    std::error_code ec;
    return fs::is_directory(programFolder / ".." / kInstalledDocFolder, ec);
}

std::vector<fs::path> helpFolderCandidates(const fs::path& programFolder) {
    const fs::path up = programFolder / "..";
    return {(up / kInstalledDocFolder / "help").lexically_normal(),
            (up / "help").lexically_normal()};
}

fs::path findHelpFolder(const fs::path& programFolder) {
    for (const fs::path& folder : helpFolderCandidates(programFolder)) {
        std::error_code ec;
        if (fs::is_regular_file(folder / "index.html", ec)) return folder;
    }
    return {};
}

} // namespace tallix
