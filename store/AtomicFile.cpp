#include "store/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tallix {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTempSuffix = 6;

WriteResult failure(const fs::path& target, const char* what, int err) {
    return {false, std::string(what) + " " + target.string() + ": " + std::strerror(err)};
}

// The file a write to `path` replaces: the end of its chain of symbolic links
// (which need not exist yet), or `path` itself. False with `err` set when the
// chain cannot be followed (a loop, an unreadable link).
bool followLinks(fs::path& path, int& err) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno == ENOENT) return true;
            err = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        std::error_code ec;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            err = ec.value();
            return false;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    err = ELOOP;
    return false;
}

// Creates a new temporary beside `target`, named as temporaryTarget reads it,
// with mode 0666 so that the umask applies as to any new file.
int createTemporary(const fs::path& folder, const std::string& name, fs::path& temp) {
    static std::atomic<std::uint64_t> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        // splitmix64 over the clock, the process and a counter.
        std::uint64_t z = static_cast<std::uint64_t>(
                              std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          (static_cast<std::uint64_t>(::getpid()) << 32) ^
                          (counter.fetch_add(1) * 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        std::string leaf = "." + name + ".";
        for (std::size_t i = 0; i < kTempSuffix; ++i, z /= kTempLetters.size())
            leaf += kTempLetters[z % kTempLetters.size()];
        temp = folder / leaf;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

std::string sizeText(std::size_t bytes) {
    if (bytes % (std::size_t{1} << 20) == 0) return std::to_string(bytes >> 20) + " MB";
    return std::to_string(bytes) + " bytes";
}

} // namespace

std::optional<std::string> temporaryTarget(std::string_view name) {
    if (name.size() < 3 + kTempSuffix || name.front() != '.' ||
        name[name.size() - kTempSuffix - 1] != '.')
        return std::nullopt;
    for (char c : name.substr(name.size() - kTempSuffix))
        if (kTempLetters.find(c) == std::string_view::npos) return std::nullopt;
    return std::string(name.substr(1, name.size() - kTempSuffix - 2));
}

WriteResult writeFileAtomically(const fs::path& requested, std::string_view contents) {
    fs::path target = requested;
    int linkErr = 0;
    if (!followLinks(target, linkErr)) return failure(requested, "Cannot write", linkErr);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::path temp;
    const int fd = createTemporary(folder, target.filename().string(), temp);
    if (fd < 0) return failure(requested, "Cannot write", errno);

    auto abandon = [&](const char* what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(requested, what, err);
    };
    const char* p = contents.data();
    std::size_t left = contents.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return abandon("Cannot write");
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    if (::fsync(fd) != 0) return abandon("Cannot flush");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure(requested, "Cannot write", err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure(requested, "Cannot replace", err);
    }
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

ReadResult readFile(const fs::path& file, std::string& contents, std::size_t maxBytes) {
    auto failed = [](int err) {
        return ReadResult{ReadResult::Status::Failed, std::strerror(err)};
    };
    auto tooLarge = [maxBytes] {
        return ReadResult{ReadResult::Status::Failed,
                          "File too large (over " + sizeText(maxBytes) + ")", true};
    };
    // Non-blocking, so that a pipe in the file's place does not hang the open.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult{ReadResult::Status::Missing, {}} : failed(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        ::close(fd);
        if (S_ISDIR(st.st_mode)) return failed(EISDIR);
        if (st.st_mode != 0) return {ReadResult::Status::Failed, "Not a regular file"};
        return failed(err);
    }
    if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ::close(fd);
        return tooLarge();
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            return failed(err);
        }
        // The file may grow while it is read, or tell a size it does not have.
        if (static_cast<std::size_t>(n) > maxBytes - text.size()) {
            ::close(fd);
            return tooLarge();
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    contents = std::move(text);
    return {};
}

bool readWholeFile(const fs::path& file, std::string& contents, std::size_t maxBytes) {
    return readFile(file, contents, maxBytes).read();
}

} // namespace tallix
