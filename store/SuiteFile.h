#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tallix {

// A verification suite that cannot be read: missing, unreadable, not a file.
inline constexpr const char* kSuiteUnreadable = "Unable to read specified test suite.";
// One larger than kMaxSuiteBytes (4 MB), refused before it is read.
inline constexpr const char* kSuiteTooLarge =
    "Unable to read specified test suite: it is larger than 4 MB.";

// Reads a suite for the verification window and `tallix-cli verify`. Returns
// the message both show when the file is refused (kSuiteUnreadable or
// kSuiteTooLarge), `text` then left alone; nothing when it was read.
std::optional<std::string> readSuiteFile(const std::filesystem::path& file, std::string& text);

} // namespace tallix
