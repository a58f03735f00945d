// The history file: any file text. Every entry that parses has codes of the
// calculator keypad only (0..39, at most 4096) and a real date; saving what
// was loaded and loading it again gives the same entries.
#include "fuzz/FuzzCheck.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/Scalar.h"
#include "store/AtomicFile.h"
#include "store/History.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace tallix;
namespace fs = std::filesystem;

namespace {

// A folder of this process's own, in memory where the system has one,
// removed when the run ends (and by the next run when this one could not).
struct Scratch {
    fs::path dir;
    Scratch() {
        const fs::path base =
            fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        const std::string prefix = "tallix-fuzz-";
        std::error_code ec;
        for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (!name.starts_with(prefix)) continue;
            const long pid = std::atol(name.c_str() + prefix.size());
            std::error_code removeEc;
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                fs::remove_all(it->path(), removeEc);
        }
        dir = base / (prefix + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

const fs::path& scratch() {
    static const Scratch s;
    return s.dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 262144) return 0;
    const fs::path file = scratch() / ExpressionHistory::kFileName;
    fs::remove(file);
    FUZZ_CHECK(
        writeFileAtomically(file, std::string_view(reinterpret_cast<const char*>(data), size)).ok,
        "cannot write %s", file.c_str());
    ExpressionHistory h;
    h.load(file);
    FUZZ_CHECK(!h.loadError(), "%s", h.loadError()->c_str());
    FUZZ_CHECK(h.entries().size() <= size, "more entries than bytes");
    for (const std::string& e : h.entries()) {
        FUZZ_CHECK(!e.empty() && e.find('\n') == std::string::npos && !e.ends_with('\r'),
                   "entry \"%s\"", e.c_str());
        const auto entry = ExpressionHistory::parse(e);
        if (!entry) continue;
        FUZZ_CHECK(!std::isnan(entry->dateTime), "entry \"%s\": date NaN", e.c_str());
        FUZZ_CHECK(entry->tokens.size() <= static_cast<std::size_t>(kMaxLineTokens),
                   "entry of %zu tokens", entry->tokens.size());
        for (TokenCode t : entry->tokens)
            FUZZ_CHECK(t < calc::kCodeCount, "entry \"%s\": code %d", e.c_str(), t);
        (void)dateTimeText(entry->dateTime);
    }

    // Nothing recorded: the save writes back what it read (at most 5001 entries).
    FUZZ_CHECK(h.save(file).ok, "cannot save %s", file.c_str());
    ExpressionHistory again;
    again.load(file);
    std::vector<std::string> expected = h.entries();
    FUZZ_CHECK(again.entries() == expected, "%zu entries, then %zu", expected.size(),
               again.entries().size());
    return 0;
}
