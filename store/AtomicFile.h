#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tallix {

struct WriteResult {
    bool ok = true;
    std::string error; // why the write failed, for the message box
};

// Replaces `target` with `contents` atomically: a temporary file in the same
// folder is written, flushed to disk and renamed over the target. On any
// failure the old file is left whole and the temporary is removed.
WriteResult writeFileAtomically(const std::filesystem::path& target, std::string_view contents);

// What reading a file found. A file that is not there is Missing; one that
// is there but cannot be read whole (no permission, a folder or other
// non-file in its place, a read error part-way through) is Failed.
struct ReadResult {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Read;
    std::string reason; // Failed: the system's reason ("Permission denied")
    bool read() const { return status == Status::Read; }
};

// Reads a whole file into `contents`, which is left alone unless it was read.
ReadResult readFile(const std::filesystem::path& file, std::string& contents);

// Reads a whole file; false when it does not exist or cannot be read.
bool readWholeFile(const std::filesystem::path& file, std::string& contents);

} // namespace tallix
