#pragma once

#include "store/AtomicFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// A "key=value" settings file with [sections]. Sections and key names match
// without regard to case. Lines the program does not know (other sections,
// other keys, comments) are kept as they were when the file is saved.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::filesystem::path file) : file_(std::move(file)) {}

    // Loads the file; a missing file gives an empty one, and so does one that
    // exists but cannot be read. A failed first read is kept for the object's
    // life: loadError() names the file and the reason, and every save() is
    // refused, leaving the file as it is. A failed later read refuses the
    // saves until the next good read. A file over kMaxSettingsBytes is not
    // read.
    void load();
    std::optional<std::string> loadError() const;
    // Lines end at LF, with any CRs before it dropped; text() writes each line
    // back with LF, so parse(text()) gives the same lines.
    void parse(std::string_view text);
    std::string text() const;
    // Writes the whole file atomically.
    WriteResult save() const;

    const std::filesystem::path& file() const { return file_; }

    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Typed reads: the default when the key is missing or its value is not valid.
    int getInt(std::string_view section, std::string_view key, int def, int lo, int hi) const;
    bool getBool(std::string_view section, std::string_view key, bool def) const;

private:
    struct Line {
        std::string text;    // the line as it stands in the file
        std::string section; // the section it belongs to
        std::string key;     // empty unless it is a key line
    };
    std::optional<std::size_t> find(std::string_view section, std::string_view key) const;

    std::filesystem::path file_;
    std::vector<Line> lines_;
    bool loaded_ = false;
    std::optional<std::string> startError_; // why the first read failed
    std::optional<std::string> readError_;  // why the last read failed
};

} // namespace tallix
