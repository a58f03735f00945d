#include "store/MatCatalogFile.h"

#include "engine/matrix/MatMessages.h"

namespace tallix {

std::optional<std::string> MatCatalogFile::load(MatCatalog& catalog) {
    catalog.clear();
    loadReason_.reset();
    std::string contents;
    const ReadResult r = readFile(file_, contents);
    if (r.status == ReadResult::Status::Missing) return std::nullopt;
    if (!r.read()) {
        loadReason_ = "Cannot read " + file_.string() + ": " + r.reason;
        return std::string(matmsg::kLoadFailed);
    }
    std::string_view rest = contents;
    while (!rest.empty()) {
        const auto end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!trimText(line).empty()) catalog.insertSorted(std::string(line));
    }
    return std::nullopt;
}

WriteResult MatCatalogFile::save(const MatCatalog& catalog) const {
    if (loadReason_) return {false, *loadReason_ + " at start; it is left untouched."};
    std::string contents;
    for (const std::string& line : catalog.lines())
        contents.append(line).push_back('\n');
    return writeFileAtomically(file_, contents);
}

std::optional<std::string> ChkptMatsTSL(const MatCatalog& catalog, const MatCatalogFile& file) {
    if (file.save(catalog).ok) return std::nullopt;
    return std::string(matmsg::kSaveFailed);
}

} // namespace tallix
