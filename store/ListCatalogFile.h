#pragma once

#include "engine/lists/ListCatalog.h"
#include "store/AtomicFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tallix {

// The list catalog's file, "tallixLists.Lst" in the data folder: one
// definition line per text line, CR LF line ends, written whole.
class ListCatalogFile {
public:
    static constexpr const char* kFileName = "tallixLists.Lst";

    explicit ListCatalogFile(std::filesystem::path file) : file_(std::move(file)) {}

    // Reads the file into `catalog` (cleared first) by sorted inserts; blank
    // lines are skipped. A missing file is an empty catalog. A file that
    // exists but cannot be read leaves the catalog empty, returns the
    // warning text, and is never written in this run.
    std::optional<std::string> load(ListCatalog& catalog);
    const std::optional<std::string>& loadReason() const { return loadReason_; }

    WriteResult save(const ListCatalog& catalog) const;
    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::optional<std::string> loadReason_;
};

// Writes the catalog; the message the user sees when that fails, or nothing.
std::optional<std::string> ChkptListsTSL(const ListCatalog& catalog, const ListCatalogFile& file);

// Whether `path` names a file inside `folder` (after resolving "." and
// ".." and symbolic links of the folders that exist).
bool isInsideFolder(const std::filesystem::path& folder, const std::filesystem::path& path);

// Reads the items of a list data file (splitListItems).
ReadResult readListItems(const std::filesystem::path& path, std::vector<std::string>& items);
// Writes the items of a list to `path` atomically, CR LF after each; a path
// outside `folder` is refused with listmsg::outsideFolder.
WriteResult writeListItems(const std::filesystem::path& folder, const std::filesystem::path& path,
                           const std::vector<std::string>& items);

} // namespace tallix
