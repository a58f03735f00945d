#include "store/DataFolder.h"

#include "store/AtomicFile.h"
#include "store/HelpFolder.h"

#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <unistd.h>

namespace tallix {

namespace fs = std::filesystem;

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

bool DataFolder::isDataFileName(std::string_view name) {
    auto lower = [](std::string_view t) {
        std::string s(t);
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return s;
    };
    const std::string n = lower(name);
    return n == "tallix.ini" || (n.size() > 4 && n.ends_with(".lst"));
}

// A file that cannot be copied is left out: the program then starts without
// it, as it would with no file at all.
void DataFolder::copyShippedFiles(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path name = it->path().filename();
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || !isDataFileName(name.string())) continue;
        if (fs::copy_file(it->path(), to / name, fs::copy_options::skip_existing, fileEc))
            fs::permissions(to / name, fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, fileEc);
    }
}

fs::path DataFolder::choose(const fs::path& program, const char* xdgDataHome, const char* home) {
    // An installed program's bin/ is shared by every user and program, even
    // when this user (root) may write in it.
    if (!isInstalledProgramFolder(program) && isWritableFolder(program)) return program;
    fs::path base;
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        base = xdgDataHome;
    else if (home && *home)
        base = fs::path(home) / ".local" / "share";
    else
        base = fs::temp_directory_path();
    const fs::path folder = base / "tallix";
    std::error_code ec;
    const bool fresh = !fs::exists(folder, ec) && !ec;
    fs::create_directories(folder, ec);
    if (fresh && fs::is_directory(folder, ec)) copyShippedFiles(program, folder);
    return folder;
}

int DataFolder::removeStaleTemporaries(const fs::path& folder, std::chrono::seconds olderThan) {
    int removed = 0;
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::optional<std::string> target = temporaryTarget(it->path().filename().string());
        std::error_code fileEc;
        if (!target || !isDataFileName(*target) || !it->is_regular_file(fileEc) ||
            it->is_symlink(fileEc))
            continue;
        const auto changed = it->last_write_time(fileEc);
        if (fileEc || now - changed < olderThan) continue;
        if (fs::remove(it->path(), fileEc)) ++removed;
    }
    return removed;
}

fs::path DataFolder::programFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec);
    return exe.parent_path();
}

} // namespace tallix
