#include "engine/matrix/MatCatalog.h"

#include "engine/calc/CalcEval.h"
#include "engine/core/NumFormat.h"
#include "engine/core/Scalar.h"
#include "engine/core/TextUtil.h"
#include "engine/matrix/MatMessages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tallix {

namespace {

std::string upperText(std::string_view s) {
    std::string u(s);
    for (char& c : u)
        c = upperChar(c);
    return u;
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<int> dimension(std::string_view s) {
    const auto v = strictInt(s);
    if (!v || *v < 1 || *v > kMatMaxDim) return std::nullopt;
    return v;
}

// The name of a source entry: the text before its first "[", trimmed.
std::string_view sourceName(std::string_view entry) {
    return trimText(entry.substr(0, entry.find('[')));
}

// The number rule of one side of a cell.
MatCellValue numberRule(std::string_view text) {
    if (text.empty()) return {true, 0, {}};
    const std::string upper = upperText(text);
    // ExtractFPval reads "PI" and "E" with their factor ("-PI" is -pi).
    if (upper.find("PI") != std::string::npos || upper.find('E') != std::string::npos)
        return {true, ExtractFPval(upper), {}};
    const Extended v = parseNumberText(upper);
    if (isUndefined(v)) return {false, v, matmsg::invalidNumberFormat(upper)};
    return {true, v, {}};
}

} // namespace

const std::string& MatCatalog::line(int i) const {
    static const std::string kEmpty;
    return i >= 0 && i < size() ? lines_[i] : kEmpty;
}

int MatCatalog::insertSorted(std::string line) {
    auto less = [](const std::string& a, const std::string& b) { return compareNoCase(a, b) < 0; };
    // Inserts and erases keep the lines in order; only a replaced line can
    // break it, so the whole list is sorted again only then (loading a file of
    // n lines once cost n sorts).
    if (!sorted_) {
        std::stable_sort(lines_.begin(), lines_.end(), less);
        sorted_ = true;
    }
    const auto at = std::lower_bound(lines_.begin(), lines_.end(), line, less);
    if (at != lines_.end() && compareNoCase(*at, line) == 0) return -1;
    const auto index = at - lines_.begin();
    lines_.insert(at, std::move(line));
    return static_cast<int>(index);
}

void MatCatalog::replaceLine(int i, std::string line) {
    if (i < 0 || i >= size()) return;
    const auto inOrder = [&](int a, int b) {
        return a < 0 || b >= size() || compareNoCase(lines_[a], lines_[b]) <= 0;
    };
    lines_[i] = std::move(line);
    sorted_ = sorted_ && inOrder(i - 1, i) && inOrder(i, i + 1);
}

void MatCatalog::erase(int i) {
    if (i >= 0 && i < size()) lines_.erase(lines_.begin() + i);
}

std::string_view trimText(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

int FindMatDefInMatsTSL(const MatCatalog& catalog, std::string_view name) {
    const std::string wanted = upperText(name);
    for (int i = 0; i < catalog.size(); ++i) {
        const std::string& line = catalog.line(i);
        const auto comma = line.find(',');
        if (trimText(line).empty() || comma == std::string::npos) continue;
        if (upperText(std::string_view(line).substr(0, comma)) == wanted) return i;
    }
    return -1;
}

MatDef ParseMatDefLn(std::string_view line) {
    std::string_view rest = trimText(line);
    MatDef d;
    for (std::string* field : {&d.name, &d.created, &d.updated, &d.rows, &d.cols}) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos) continue;
        *field = rest.substr(0, comma);
        rest.remove_prefix(comma + 1);
    }
    d.elements = rest;
    return d;
}

MatDef ParseMatDefN(const MatCatalog& catalog, int i) {
    return ParseMatDefLn(catalog.line(i));
}

std::string EncodeMatDef(std::string_view name, std::string_view created, std::string_view updated,
                         std::string_view rows, std::string_view cols, std::string_view elements) {
    std::string s;
    for (std::string_view f : {name, created, updated, rows, cols}) {
        s.append(f);
        s.push_back(',');
    }
    s.append(elements);
    return s;
}

std::optional<int> strictInt(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        i = 1;
    }
    if (i == s.size() || s.size() - i > 9) return std::nullopt;
    int v = 0;
    for (; i < s.size(); ++i) {
        if (!isDigit(s[i])) return std::nullopt;
        v = v * 10 + (s[i] - '0');
    }
    return negative ? -v : v;
}

std::vector<std::string> splitElements(std::string_view elements) {
    std::string_view inner = trimText(elements);
    if (inner.starts_with('[')) inner.remove_prefix(1);
    if (inner.ends_with(']')) inner.remove_suffix(1);
    std::vector<std::string> cells;
    if (inner.empty()) return cells;
    for (;;) {
        const auto comma = inner.find(',');
        cells.emplace_back(inner.substr(0, comma));
        if (comma == std::string_view::npos) break;
        inner.remove_prefix(comma + 1);
    }
    return cells;
}

std::string joinElements(const std::vector<std::string>& cells) {
    std::string s = "[";
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) s.push_back(',');
        s += cells[i];
    }
    s.push_back(']');
    return s;
}

std::string dateTimeField(double dateTime) {
    return decimalText(static_cast<Extended>(dateTime));
}

std::string matDateText(std::string_view field) {
    const Extended v = parseNumberText(field);
    if (isUndefined(v) || std::fabs(v) > 3e6L) return {};
    const auto dayNumber = static_cast<long long>(std::floor(v));
    auto minutes = static_cast<long long>(std::llround((v - dayNumber) * 1440.0L));
    long long days = dayNumber + minutes / 1440;
    minutes %= 1440;
    // Civil date from days since 1970-01-01 (the proleptic Gregorian calendar).
    days -= 25569; // 1899-12-30 to 1970-01-01
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long day = doy - (153 * mp + 2) / 5 + 1;
    const long long month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const long long hour = minutes / 60;
    const long long minute = minutes % 60;
    const long long hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%lld%s%02lld %lld:%02lld%c", day, kMonths[month - 1],
                  ((year % 100) + 100) % 100, hour12, minute, hour < 12 ? 'a' : 'p');
    return buf;
}

bool isValidMatName(std::string_view name) {
    if (name.empty() || !isLetter(name[0])) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return isLetter(c) || isDigit(c); });
}

MatChange createMat(MatCatalog& catalog, const MatCreateRequest& request, double now) {
    const std::string name(trimText(request.name));
    if (!isValidMatName(name)) return {false, -1, matmsg::badName(name)};
    if (FindMatDefInMatsTSL(catalog, name) >= 0) return {false, -1, matmsg::nameInUse(name)};
    std::optional<int> rows = dimension(request.rows);
    std::optional<int> cols = dimension(request.cols);

    int source = -1;
    if (request.source) source = FindMatDefInMatsTSL(catalog, sourceName(*request.source));
    const MatDef src = ParseMatDefN(catalog, source);
    if ((!rows || !cols) && source >= 0) {
        if (!rows) rows = dimension(src.rows);
        if (!cols) cols = dimension(src.cols);
    }
    if (!rows || !cols) return {false, -1, std::string(matmsg::kNoDimensions)};

    std::array<std::string, kMatMaxDim * kMatMaxDim> grid;
    if (source >= 0) {
        if (const auto srcCols = dimension(src.cols)) {
            const std::vector<std::string> cells = splitElements(src.elements);
            for (std::size_t n = 0; n < cells.size(); ++n) {
                const std::size_t r = n / *srcCols;
                const std::size_t c = n % *srcCols;
                if (r < kMatMaxDim) grid[r * kMatMaxDim + c] = cells[n];
            }
        }
    }
    std::vector<std::string> cells;
    bool allEmpty = true;
    for (int r = 0; r < *rows; ++r)
        for (int c = 0; c < *cols; ++c) {
            cells.push_back(grid[r * kMatMaxDim + c]);
            allEmpty = allEmpty && cells.back().empty();
        }
    const std::string stamp = dateTimeField(now);
    const int index = catalog.insertSorted(EncodeMatDef(name, stamp, stamp, std::to_string(*rows),
                                                        std::to_string(*cols),
                                                        allEmpty ? "[]" : joinElements(cells)));
    return {index >= 0, index, {}};
}

MatChange saveMatAs(MatCatalog& catalog, std::string_view name, int rows, int cols,
                    const std::vector<std::string>& cells, double now) {
    const std::string trimmed(trimText(name));
    if (!isValidMatName(trimmed)) return {false, -1, matmsg::badName(trimmed)};
    if (const int old = FindMatDefInMatsTSL(catalog, trimmed); old >= 0) catalog.erase(old);
    const std::string stamp = dateTimeField(now);
    const int index = catalog.insertSorted(EncodeMatDef(trimmed, stamp, stamp, std::to_string(rows),
                                                        std::to_string(cols), joinElements(cells)));
    return {index >= 0, index, {}};
}

MatChange renameMat(MatCatalog& catalog, int index, std::string_view newName) {
    const std::string name(trimText(newName));
    if (!isValidMatName(name)) return {false, -1, matmsg::badName(name)};
    const int other = FindMatDefInMatsTSL(catalog, name);
    if (other >= 0 && other != index) return {false, -1, matmsg::renameNameInUse(name)};
    if (index < 0 || index >= catalog.size()) return {false, -1, std::string(matmsg::kNullDefLine)};
    const MatDef d = ParseMatDefN(catalog, index);
    catalog.erase(index);
    const int at =
        catalog.insertSorted(EncodeMatDef(name, d.created, d.updated, d.rows, d.cols, d.elements));
    return {at >= 0, at, {}};
}

MatChange deleteMat(MatCatalog& catalog, int index) {
    if (trimText(catalog.line(index)).empty())
        return {false, -1, std::string(matmsg::kNullDefLine)};
    catalog.erase(index);
    return {true, -1, {}};
}

MatCellValue matCellValue(std::string_view cell, std::string_view matrix, int row, int col) {
    const auto slash = cell.find('/');
    if (slash == std::string_view::npos) return numberRule(cell);
    const MatCellValue num = numberRule(cell.substr(0, slash));
    if (!num.ok) return num;
    const MatCellValue den = numberRule(cell.substr(slash + 1));
    if (!den.ok) return den;
    if (std::fabs(den.value) < 1e-39L)
        return {false, 0, matmsg::zeroDenominator(matrix, row, col, cell)};
    return {true, num.value / den.value, {}};
}

MatLoad loadCatalogMat(const MatCatalog& catalog, int index) {
    const MatDef d = ParseMatDefN(catalog, index);
    MatLoad out;
    const auto rows = dimension(d.rows);
    const auto cols = dimension(d.cols);
    if (!rows || !cols) {
        out.message = matmsg::kEvaluationError;
        return out;
    }
    out.grid.rows = *rows;
    out.grid.cols = *cols;
    const std::vector<std::string> cells = splitElements(d.elements);
    for (int r = 0; r < *rows; ++r)
        for (int c = 0; c < *cols; ++c) {
            const std::size_t n = static_cast<std::size_t>(r * *cols + c);
            const MatCellValue v =
                matCellValue(n < cells.size() ? cells[n] : std::string(), d.name, r + 1, c + 1);
            if (!v.ok) {
                out.message = v.message;
                return out;
            }
            out.grid.at(r, c) = v.value;
        }
    out.ok = true;
    return out;
}

} // namespace tallix
