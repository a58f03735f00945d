#include "store/ListCatalogFile.h"

#include <system_error>

namespace tallix {

namespace fs = std::filesystem;

std::optional<std::string> ListCatalogFile::load(ListCatalog& catalog) {
    catalog.clear();
    loadReason_.reset();
    std::string contents;
    const ReadResult r = readFile(file_, contents);
    if (r.status == ReadResult::Status::Missing) return std::nullopt;
    if (!r.read()) {
        loadReason_ = "Cannot read " + file_.string() + ": " + r.reason;
        return std::string(listmsg::kLoadFailed);
    }
    for (std::string& line : splitListItems(contents))
        catalog.insertSorted(std::move(line));
    return std::nullopt;
}

WriteResult ListCatalogFile::save(const ListCatalog& catalog) const {
    if (loadReason_) return {false, *loadReason_ + " at start; it is left untouched."};
    return writeFileAtomically(file_, joinListItems(catalog.lines()));
}

std::optional<std::string> ChkptListsTSL(const ListCatalog& catalog, const ListCatalogFile& file) {
    if (file.save(catalog).ok) return std::nullopt;
    return std::string(listmsg::kSaveFailed);
}

bool isInsideFolder(const fs::path& folder, const fs::path& path) {
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(folder, ec);
    if (ec) return false;
    const fs::path target = fs::weakly_canonical(path, ec);
    if (ec || !path.is_absolute() || !target.has_filename()) return false;
    const fs::path rel = target.lexically_relative(base);
    return !rel.empty() && *rel.begin() != ".." && rel != ".";
}

ReadResult readListItems(const fs::path& path, std::vector<std::string>& items) {
    std::string contents;
    const ReadResult r = readFile(path, contents);
    if (r.read()) items = splitListItems(contents);
    return r;
}

WriteResult writeListItems(const fs::path& folder, const fs::path& path,
                           const std::vector<std::string>& items) {
    if (!isInsideFolder(folder, path)) return {false, listmsg::outsideFolder(path.string())};
    return writeFileAtomically(path, joinListItems(items));
}

} // namespace tallix
