#include "store/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallix {

namespace fs = std::filesystem;

namespace {

WriteResult failure(const fs::path& target, const char* what, int err) {
    return {false, std::string(what) + " " + target.string() + ": " + std::strerror(err)};
}

} // namespace

WriteResult writeFileAtomically(const fs::path& target, std::string_view contents) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string name(".");
    name.append(target.filename().string()).append(".XXXXXX");
    std::string pattern = (folder / name).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return failure(target, "Cannot write", errno);
    const fs::path temp = pattern;

    auto abandon = [&](const char* what) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return failure(target, what, err);
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
    // Keep the permissions of the file being replaced; new files get 0644.
    struct stat old {};
    ::fchmod(fd, ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
    if (::fsync(fd) != 0) return abandon("Cannot flush");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure(target, "Cannot write", err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return failure(target, "Cannot replace", err);
    }
    // Make the rename itself durable.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

ReadResult readFile(const fs::path& file, std::string& contents) {
    auto failed = [](int err) {
        return ReadResult{ReadResult::Status::Failed, std::strerror(err)};
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
    std::string text;
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
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    contents = std::move(text);
    return {};
}

bool readWholeFile(const fs::path& file, std::string& contents) {
    return readFile(file, contents).read();
}

} // namespace tallix
