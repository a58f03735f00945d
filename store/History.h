#pragma once

#include "engine/core/Tokens.h"
#include "store/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallix {

// A local date and time as days since 1899-12-30, the time of day as the
// fraction.
double dateTimeNumber(std::chrono::system_clock::time_point when);
// The same number shown as "yyyymmmdd hh:mm" (2004Apr04 09:30).
std::string dateTimeText(double dateTime);

// The expression history: one entry per evaluated line, newest first, each
// "date-time number,code,code,...". Holds at most kMaxEntries + 1 entries.
class ExpressionHistory {
public:
    static constexpr std::size_t kMaxEntries = 5000;
    static constexpr const char* kFileName = "quorvHist.Lst";

    // Loads the file (at most kMaxHistoryBytes); a missing file gives an
    // empty history. Lines are kept as they are, even those that cannot be
    // parsed, without their line ends (LF and any CRs before it). A file
    // that exists but cannot be read (or is too large) also gives an empty
    // history, and is then never written by this object: loadError() says
    // why, and save() is refused.
    void load(const std::filesystem::path& file);
    // After load(): why the file could not be read, naming it; nothing when it
    // was read or is missing.
    std::optional<std::string> loadError() const;
    // Merges and writes: re-reads the file (another window may have saved
    // since) under the data folder's lock (FolderLock), puts the entries
    // recorded here since the last save on top, keeps at most kMaxEntries + 1
    // and writes the file atomically. On success entries() becomes the merged
    // list and changed() false; on failure the file and the entries are as
    // they were.
    WriteResult save(const std::filesystem::path& file);

    // Adds an entry at the top after trimming the list to kMaxEntries.
    void record(double dateTime, std::span<const TokenCode> tokens);

    const std::vector<std::string>& entries() const { return entries_; }
    bool changed() const { return changed_; }
    void markSaved() { changed_ = false; }

    struct Entry {
        double dateTime = 0;
        std::vector<TokenCode> tokens;
    };
    // Parses an entry; nothing when its date or any code is not valid (codes
    // run 0..39, at most 4096 of them).
    static std::optional<Entry> parse(std::string_view line);

private:
    std::vector<std::string> entries_;
    std::size_t unsaved_ = 0; // entries at the top recorded since the last load or save
    bool changed_ = false;
    std::filesystem::path loadedFile_;
    std::optional<std::string> loadReason_; // why the load failed
};

} // namespace tallix
