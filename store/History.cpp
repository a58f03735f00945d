#include "store/History.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "store/FolderLock.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <ctime>

namespace tallix {

namespace {

// Days from 1970-01-01 to y-m-d (proleptic Gregorian).
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

constexpr long kEpochOffset = 25569; // 1970-01-01 as days since 1899-12-30

} // namespace

double dateTimeNumber(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    const long days = daysFromCivil(local.tm_year + 1900L, static_cast<unsigned>(local.tm_mon + 1),
                                    static_cast<unsigned>(local.tm_mday)) +
                      kEpochOffset;
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return static_cast<double>(days) + seconds / 86400.0;
}

std::string dateTimeText(double dateTime) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!std::isfinite(dateTime) || dateTime < -693593 || dateTime > 2958465) return "?";
    const long days = static_cast<long>(std::floor(dateTime)) - kEpochOffset;
    // Civil date from days since 1970-01-01.
    const long z = days + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const long y = static_cast<long>(yoe) + era * 400 + (m <= 2);
    const long minutes = std::lround((dateTime - std::floor(dateTime)) * 1440.0);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04ld%s%02u %02ld:%02ld", y, kMonths[m - 1], d,
                  std::min(minutes / 60, 23L), minutes % 60);
    return buf;
}

namespace {

// The non-empty lines of a history file, in order, without their line ends
// (LF and any CRs before it), so that writing them back with LF keeps them.
std::vector<std::string> historyLines(std::string_view rest) {
    std::vector<std::string> lines;
    while (!rest.empty()) {
        const std::size_t eol = rest.find('\n');
        std::string_view line = rest.substr(0, eol);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty()) lines.emplace_back(line);
        if (eol == std::string_view::npos) break;
        rest.remove_prefix(eol + 1);
    }
    return lines;
}

} // namespace

void ExpressionHistory::load(const std::filesystem::path& file) {
    entries_.clear();
    unsaved_ = 0;
    changed_ = false;
    loadedFile_ = file;
    loadReason_.reset();
    std::string text;
    const ReadResult r = readFile(file, text, kMaxHistoryBytes);
    if (r.status == ReadResult::Status::Failed) loadReason_ = r.reason;
    if (r.read()) entries_ = historyLines(text);
}

std::optional<std::string> ExpressionHistory::loadError() const {
    if (!loadReason_) return std::nullopt;
    return "Cannot read " + loadedFile_.string() + ": " + *loadReason_;
}

WriteResult ExpressionHistory::save(const std::filesystem::path& file) {
    if (loadReason_)
        return {false, loadedFile_.string() + " could not be read at start (" + *loadReason_ +
                           "); it is left untouched."};
    // Another window may save between our read and our write: not while we
    // hold the folder's lock.
    const FolderLock lock(FolderLock::folderOf(file));
    std::string text;
    const ReadResult r = readFile(file, text, kMaxHistoryBytes);
    if (r.status == ReadResult::Status::Failed)
        return {false,
                file.string() + " could not be read (" + r.reason + "); it is left untouched."};
    std::vector<std::string> merged(entries_.begin(),
                                    entries_.begin() + static_cast<std::ptrdiff_t>(unsaved_));
    std::vector<std::string> onDisk = r.read() ? historyLines(text) : std::vector<std::string>{};
    merged.insert(merged.end(), std::make_move_iterator(onDisk.begin()),
                  std::make_move_iterator(onDisk.end()));
    if (merged.size() > kMaxEntries + 1) merged.resize(kMaxEntries + 1);
    std::string out;
    for (const std::string& e : merged) {
        out += e;
        out += '\n';
    }
    WriteResult w = writeFileAtomically(file, out);
    if (w.ok) {
        entries_ = std::move(merged);
        unsaved_ = 0;
        changed_ = false;
    }
    return w;
}

void ExpressionHistory::record(double dateTime, std::span<const TokenCode> tokens) {
    if (entries_.size() > kMaxEntries) entries_.resize(kMaxEntries);
    std::string entry = decimalText(dateTime);
    for (TokenCode t : tokens) {
        entry += ',';
        entry += std::to_string(t);
    }
    entries_.insert(entries_.begin(), std::move(entry));
    unsaved_ = std::min(unsaved_ + 1, entries_.size());
    changed_ = true;
}

std::optional<ExpressionHistory::Entry> ExpressionHistory::parse(std::string_view line) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    Entry entry;
    const Extended when = parseNumberText(line.substr(0, comma));
    if (isUndefined(when)) return std::nullopt;
    entry.dateTime = static_cast<double>(when);
    std::string_view rest = line.substr(comma + 1);
    while (true) {
        const std::size_t next = rest.find(',');
        const std::string_view field = rest.substr(0, next);
        int code = -1;
        const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), code);
        if (ec != std::errc() || end != field.data() + field.size() || code < 0 ||
            code >= calc::kCodeCount ||
            entry.tokens.size() >= static_cast<std::size_t>(kMaxLineTokens))
            return std::nullopt;
        entry.tokens.push_back(static_cast<TokenCode>(code));
        if (next == std::string_view::npos) break;
        rest.remove_prefix(next + 1);
    }
    return entry;
}

} // namespace tallix
