#include "store/IniFile.h"

#include "engine/core/TextUtil.h"

#include <charconv>

namespace tallix {

namespace {

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

void IniFile::load() {
    std::string text;
    lines_.clear();
    const ReadResult r = readFile(file_, text, kMaxSettingsBytes);
    if (r.status == ReadResult::Status::Failed) {
        readError_ = r.reason;
        if (!loaded_) startError_ = r.reason;
    } else {
        readError_.reset();
    }
    loaded_ = true;
    if (r.read()) parse(text);
}

std::optional<std::string> IniFile::loadError() const {
    if (!startError_) return std::nullopt;
    return "Cannot read " + file_.string() + ": " + *startError_;
}

void IniFile::parse(std::string_view text) {
    lines_.clear();
    std::string section;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view raw = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        // A line ends at LF; every CR before it goes with the ending. Each line
        // is written back with LF alone, so a line keeps its text, and its
        // meaning, across any number of saves.
        while (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        Line line{std::string(raw), section, {}};
        const std::string_view t = trimBlanks(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = std::string(trimBlanks(t.substr(1, t.size() - 2)));
            line.section = section;
        } else if (!t.empty() && t.front() != ';' && t.find('=') != std::string_view::npos) {
            line.key = std::string(trimBlanks(t.substr(0, t.find('='))));
        }
        lines_.push_back(std::move(line));
    }
}

std::string IniFile::text() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.text;
        out += '\n';
    }
    return out;
}

WriteResult IniFile::save() const {
    if (startError_)
        return {false, file_.string() + " could not be read at start (" + *startError_ +
                           "); it is left untouched."};
    if (readError_)
        return {false,
                file_.string() + " could not be read (" + *readError_ + "); it is left untouched."};
    return writeFileAtomically(file_, text());
}

std::optional<std::size_t> IniFile::find(std::string_view section, std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (!lines_[i].key.empty() && sameWord(lines_[i].section, section) &&
            sameWord(lines_[i].key, key))
            return i;
    return std::nullopt;
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
    const auto i = find(section, key);
    if (!i) return std::nullopt;
    const std::string& t = lines_[*i].text;
    return std::string(trimBlanks(std::string_view(t).substr(t.find('=') + 1)));
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string text = std::string(key) + "=" + std::string(value);
    if (const auto i = find(section, key)) {
        lines_[*i].text = std::move(text);
        return;
    }
    // Append after the section's last line, creating the section when needed.
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (sameWord(lines_[i].section, section) &&
            !(lines_[i].key.empty() && trimBlanks(lines_[i].text).empty()))
            last = i;
    if (!last) {
        std::string header("[");
        header.append(section).append("]");
        lines_.push_back({std::move(header), std::string(section), {}});
        last = lines_.size() - 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*last) + 1,
                  Line{std::move(text), lines_[*last].section, std::string(key)});
}

int IniFile::getInt(std::string_view section, std::string_view key, int def, int lo, int hi) const {
    const auto v = get(section, key);
    if (!v) return def;
    int n = 0;
    const char* first = v->data();
    const char* last = v->data() + v->size();
    if (first != last && *first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc() || end != last || n < lo || n > hi) return def;
    return n;
}

bool IniFile::getBool(std::string_view section, std::string_view key, bool def) const {
    const auto v = get(section, key);
    if (!v) return def;
    if (*v == "1" || sameWord(*v, "true")) return true;
    if (*v == "0" || sameWord(*v, "false")) return false;
    return def;
}

} // namespace tallix
