#include "store/DataFolder.h"

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace tallix {

namespace fs = std::filesystem;

namespace {

std::optional<fs::path>& overridePath() {
    static std::optional<fs::path> p;
    return p;
}

fs::path programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec);
    return exe.parent_path();
}

} // namespace

bool isWritableFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return false;
    const fs::path probe = folder / (".tallix-probe-" + std::to_string(::getpid()));
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out) return false;
    }
    fs::remove(probe, ec);
    return true;
}

fs::path DataFolder::choose(const fs::path& program, const char* xdgDataHome, const char* home) {
    if (isWritableFolder(program)) return program;
    fs::path base;
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        base = xdgDataHome;
    else if (home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path();
    const fs::path folder = base / "tallix";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

fs::path DataFolder::path() {
    if (overridePath()) return *overridePath();
    static const fs::path chosen =
        choose(programFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    return chosen;
}

void DataFolder::setOverride(const fs::path& folder) {
    if (folder.empty())
        overridePath().reset();
    else
        overridePath() = folder;
}

} // namespace tallix
