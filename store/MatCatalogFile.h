#pragma once

#include "engine/matrix/MatCatalog.h"
#include "store/AtomicFile.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tallix {

// The matrix catalog's file, "tallixMats.Lst" in the data folder: one
// catalog line per text line.
class MatCatalogFile {
public:
    static constexpr const char* kFileName = "tallixMats.Lst";

    explicit MatCatalogFile(std::filesystem::path file) : file_(std::move(file)) {}

    // Reads the file into `catalog` (cleared first) by sorted inserts, so
    // the lines come in sorted order and a repeated line (ignoring case) is
    // dropped; blank lines are skipped. A missing file is an empty catalog.
    // A file that exists but cannot be read also leaves the catalog empty,
    // returns the warning text, and is never written in this run.
    std::optional<std::string> load(MatCatalog& catalog);
    // Why the file could not be read at start, naming it; nothing when it
    // was read or is missing.
    const std::optional<std::string>& loadReason() const { return loadReason_; }

    // Writes the whole catalog atomically (ChkptMatsTSL). On failure the old
    // file stays and `error` says why; the catalog in memory is unchanged.
    WriteResult save(const MatCatalog& catalog) const;

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::optional<std::string> loadReason_;
};

// Writes the catalog through `file`; the message the user sees when that
// fails, or nothing.
std::optional<std::string> ChkptMatsTSL(const MatCatalog& catalog, const MatCatalogFile& file);

} // namespace tallix
