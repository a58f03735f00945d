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

// Reads a whole file; false when it does not exist or cannot be read.
bool readWholeFile(const std::filesystem::path& file, std::string& contents);

} // namespace tallix
