#include "store/SuiteFile.h"

#include "store/AtomicFile.h"

namespace tallix {

static_assert(kMaxSuiteBytes == std::size_t{4} << 20, "kSuiteTooLarge names the cap");

std::optional<std::string> readSuiteFile(const std::filesystem::path& file, std::string& text) {
    const ReadResult r = readFile(file, text, kMaxSuiteBytes);
    if (r.read()) return std::nullopt;
    return r.tooLarge ? kSuiteTooLarge : kSuiteUnreadable;
}

} // namespace tallix
