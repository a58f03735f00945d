#include "engine/lists/ListCatalog.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/core/TextUtil.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tallix {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

std::string quoted(std::string_view s) {
    std::string q(1, '"');
    q.append(s).push_back('"');
    return q;
}

} // namespace

const std::string& ListCatalog::line(int i) const {
    static const std::string kEmpty;
    return i >= 0 && i < size() ? lines_[static_cast<std::size_t>(i)] : kEmpty;
}

int ListCatalog::insertSorted(std::string line) {
    // Every change goes through here and erase, so the lines are in order.
    auto less = [](const std::string& a, const std::string& b) { return compareNoCase(a, b) < 0; };
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line, less);
    if (at != lines_.end() && compareNoCase(*at, line) == 0) return -1;
    const auto index = at - lines_.begin();
    lines_.insert(at, std::move(line));
    return static_cast<int>(index);
}

void ListCatalog::erase(int i) {
    if (i >= 0 && i < size()) lines_.erase(lines_.begin() + i);
}

ListDef ParseListLn(std::string_view line) {
    std::string_view rest = trimmed(line);
    std::array<std::string, 5> f;
    for (std::string& field : f) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos) continue;
        field = std::string(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    return {f[0], f[1], f[2], f[3], f[4], std::string(rest)};
}

ListDef ParseListN(const ListCatalog& catalog, int i) {
    return ParseListLn(catalog.line(i));
}

std::string EncodeListLn(const ListDef& d, std::string_view folder) {
    const std::string path = d.path.empty() ? defaultListPath(folder, d.name) : d.path;
    return d.name + "," + d.created + "," + d.modified + "," + d.count + "," + path + "," +
           d.preview;
}

int FindListDefInListsTSL(const ListCatalog& catalog, std::string_view name) {
    for (int i = 0; i < catalog.size(); ++i) {
        const std::string_view line = catalog.line(i);
        if (trimmed(line).empty()) continue;
        const auto comma = line.find(',');
        if (comma == std::string_view::npos) continue;
        const std::string_view first = line.substr(0, comma);
        if (first.size() == name.size() && compareNoCase(first, name) == 0) return i;
    }
    return -1;
}

std::string defaultListPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path.push_back('/');
    return path + "list" + std::string(name) + ".lst";
}

std::optional<std::string> listNameProblem(std::string_view name) {
    if (name.empty()) return std::string("A list needs a name.");
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < ' ' || c == 127;
    });
    if (control || name.find_first_of(",/\\") != std::string_view::npos ||
        name.find("..") != std::string_view::npos || name.front() == '.')
        return "List name " + quoted(name) +
               " cannot be used: a name may not hold \",\", \"/\", \"\\\", \"..\" or control "
               "characters.";
    return std::nullopt;
}

std::vector<std::string> splitListItems(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view item = trimmed(text.substr(0, end));
        if (!item.empty()) items.emplace_back(item);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return items;
}

std::string joinListItems(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text.append(item).append("\r\n");
    return text;
}

std::string listPreview(const std::vector<std::string>& items) {
    std::string preview;
    for (const std::string& item : items) {
        if (preview.size() >= 60) break;
        if (!preview.empty()) preview.push_back(',');
        preview += item;
    }
    return preview;
}

std::string listChooserText(const ListCatalog& catalog, int i, int blanks, std::size_t cut) {
    const ListDef d = ParseListN(catalog, i);
    std::string text = d.name + std::string(static_cast<std::size_t>(blanks), ' ') + "[" + d.count +
                       "] " + d.preview;
    if (text.size() > cut) text = text.substr(0, cut) + "...";
    return text;
}

std::vector<std::string> regrChooserTexts(const ListCatalog& catalog) {
    std::vector<std::string> texts;
    for (int i = 0; i < catalog.size(); ++i)
        texts.push_back(listChooserText(catalog, i, 5, 45));
    return texts;
}

Extended ParseListValue(std::string_view text) {
    const std::string_view t = trimmed(text);
    if (t.empty()) return UndefinedMarker;
    return parseNumberText(t);
}

std::optional<std::string> appendedItem(std::string_view line) {
    std::string_view t = trimmed(line);
    for (char stop : {' ', ',', ';'})
        t = t.substr(0, t.find(stop));
    if (t.empty()) return std::nullopt;
    return std::string(t);
}

std::vector<std::string> integerListItems(int first, std::size_t n) {
    std::vector<std::string> items;
    items.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        items.push_back(std::to_string(static_cast<std::size_t>(first) + i));
    return items;
}

ListSave saveListItems(ListCatalog& catalog, std::string_view name,
                       const std::vector<std::string>& items, double now, std::string_view folder) {
    ListSave out;
    const int at = FindListDefInListsTSL(catalog, name);
    if (at < 0) {
        out.error = listmsg::kRefindEntry;
        return out;
    }
    ListDef d = ParseListN(catalog, at);
    d.name = std::string(name);
    d.count = std::to_string(items.size());
    d.modified = decimalText(static_cast<Extended>(now));
    d.preview = listPreview(items);
    catalog.erase(at);
    const std::string line = EncodeListLn(d, folder);
    out.index = catalog.insertSorted(line);
    out.path = ParseListLn(line).path;
    return out;
}

ListCreate createList(ListCatalog& catalog, std::string_view name, double now,
                      std::string_view folder) {
    ListCreate out;
    out.name = std::string(trimmed(name));
    if (auto problem = listNameProblem(out.name)) {
        out.error = *problem;
        return out;
    }
    if (FindListDefInListsTSL(catalog, out.name) >= 0) {
        out.error = listmsg::nameInUse(out.name);
        return out;
    }
    const std::string stamp = decimalText(static_cast<Extended>(now));
    out.index = catalog.insertSorted(EncodeListLn({out.name, stamp, stamp, "0", "", ""}, folder));
    return out;
}

std::string listStampText(std::string_view dateTime) {
    const Extended v = parseNumberText(dateTime);
    if (isUndefined(v) || v < 0 || v > 3e6) return {};
    const long days = static_cast<long>(std::floor(v));
    long minutes = std::lround(static_cast<double>((v - days) * 1440));
    long z = days - 25569 + 719468; // days since 0000-03-01
    if (minutes >= 1440) {
        minutes -= 1440;
        ++z;
    }
    const long era = z / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long day = doy - (153 * mp + 2) / 5 + 1;
    const long month = mp < 10 ? mp + 3 : mp - 9;
    const long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const long hour = minutes / 60;
    const long hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char minuteText[3] = {static_cast<char>('0' + minutes % 60 / 10),
                          static_cast<char>('0' + minutes % 10), 0};
    const long yy = year % 100;
    return std::to_string(day) + kMonths[static_cast<std::size_t>(month - 1)] +
           (yy < 10 ? "0" : "") + std::to_string(yy) + " " + std::to_string(hour12) + ":" +
           minuteText + (hour < 12 ? "a" : "p");
}

namespace listmsg {
std::string nameInUse(std::string_view name) {
    return "List Name " + quoted(name) + " is already in use.";
}
std::string readError(std::string_view name) {
    return "Error reading List " + quoted(name) + " definition.";
}
std::string loadError(std::string_view name) {
    return "Error loading " + quoted(name) + " list data.";
}
std::string invalidItem(int k, std::string_view text) {
    return "Item " + std::to_string(k) + ": \nInvalid format numeric value.\n        " +
           quoted(text);
}
std::string outsideFolder(std::string_view path) {
    return "The list file " + quoted(path) +
           " lies outside the data folder; the program does not write there.";
}
} // namespace listmsg

} // namespace tallix
