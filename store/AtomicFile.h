#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

struct WriteResult {
    bool ok = true;
    std::string error; // why the write failed, for the message box
};

// Replaces `target` with `contents` atomically: a temporary file in the same
// folder (".NAME.XXXXXX", see temporaryTarget) is written, flushed to disk
// and renamed over the target. A symbolic link is followed: the file it ends
// at is replaced and the link stays. The replaced file's permissions are
// kept; a new file gets 0666 less the process's umask. On any failure the old
// file is left whole and the temporary is removed.
WriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view contents);

// The name of the file being replaced when `name` is a temporary of
// writeFileAtomically ("." + name + "." + six letters or digits); nothing
// for any other name.
std::optional<std::string> temporaryTarget(std::string_view name);

// The most the program reads of each kind of file; a larger file is refused
// whole (ReadResult::tooLarge), never read part way. Settings and suites are
// a few kB in practice; a history of 5001 entries of 4096 tokens is under
// 62 MB.
inline constexpr std::size_t kMaxSettingsBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxSuiteBytes = std::size_t{4} << 20;
inline constexpr std::size_t kMaxHistoryBytes = std::size_t{64} << 20;
// Catalogs and list files, and any file read without a cap of its own.
inline constexpr std::size_t kMaxDataFileBytes = std::size_t{64} << 20;

// What reading a file found. A file that is not there is Missing; one that
// is there but cannot be read whole (no permission, a folder or other
// non-file in its place, a read error part-way through, more bytes than the
// cap) is Failed.
struct ReadResult {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Read;
    std::string reason;    // Failed: the system's reason ("Permission denied")
    bool tooLarge = false; // Failed because the file is larger than the cap
    bool read() const { return status == Status::Read; }
};

// Reads a whole file of at most `maxBytes` bytes into `contents`, which is
// left alone unless it was read. A larger file fails with the reason
// "File too large (over N MB)".
ReadResult readFile(const std::filesystem::path& file, std::string& contents,
                    std::size_t maxBytes = kMaxDataFileBytes);

// Reads a whole file; false when it does not exist or cannot be read.
bool readWholeFile(const std::filesystem::path& file, std::string& contents,
                   std::size_t maxBytes = kMaxDataFileBytes);

} // namespace tallix
