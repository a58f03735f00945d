#include "engine/matrix/GJAnimation.h"

#include "engine/core/NumFormat.h"

#include <cmath>
#include <utility>

namespace tallix {

namespace {

std::string num(int n) {
    return std::to_string(n);
}

} // namespace

std::string gjFactorText(Extended v) {
    std::string t = decimalText(v);
    if (t.size() >= 7) t = t.substr(0, 6) + "...";
    return t;
}

void GJAnimation::start(const MatGrid& m) {
    s_ = State{};
    s_.work = m;
    s_.caption = "Click to Begin Gauss-Jordan Reduction Animation...";
    history_.clear();
}

void GJAnimation::highlight(int col, int row, int row2) {
    s_.hlCol = col;
    s_.hlRow = row;
    s_.hlRow2 = row2;
}

bool GJAnimation::isHighlighted(int row, int col) const {
    const int r = row + 1, c = col + 1;
    const bool colSet = s_.hlCol != -1;
    const bool rowSet = s_.hlRow != -1 || s_.hlRow2 != -1;
    const bool inRow = r == s_.hlRow || r == s_.hlRow2;
    if (colSet && rowSet) return c == s_.hlCol && inRow;
    if (rowSet) return inRow;
    return colSet && c == s_.hlCol;
}

std::string GJAnimation::cellText(int row, int col) const {
    return FloatToRationalStr(false, s_.work.at(row, col));
}

bool GJAnimation::back() {
    if (history_.empty()) return false;
    s_ = std::move(history_.back());
    history_.pop_back();
    return true;
}

bool GJAnimation::advance() {
    if (done()) return false;
    history_.push_back(s_);
    const int rows = s_.work.rows;
    const int cols = s_.work.cols;
    switch (s_.step) {
    case GJStep::Begin:
        s_.pc = s_.pr = 1;
        highlight(1, -1);
        s_.caption = "Click to Begin reducing column 1";
        s_.step = GJStep::Announce;
        break;
    case GJStep::Announce:
        s_.caption = "Find largest value in column " + num(s_.pc) + "  ...  click";
        s_.step = GJStep::FindPivot;
        break;
    case GJStep::FindPivot:
        findPivot();
        break;
    case GJStep::AnnounceSwap:
        highlight(-1, s_.mr, s_.pr);
        s_.caption = "Click to swap rows " + num(s_.mr) + " and " + num(s_.pr);
        s_.step = GJStep::Swap;
        break;
    case GJStep::Swap:
        for (int k = 1; k <= cols; ++k)
            std::swap(a(s_.pr, k), a(s_.mr, k));
        highlight(s_.pc, s_.pr);
        if (a(s_.pr, s_.pc) != 1) {
            s_.caption = "Leading value not 1 - scale row by leading value...     click";
            s_.step = GJStep::Scale;
        } else {
            s_.caption = "Leading value is 1 - no need to scale row....       click";
            s_.step = GJStep::AnnounceSweep;
        }
        break;
    case GJStep::Scale: {
        const Extended lead = a(s_.pr, s_.pc);
        for (int k = 1; k <= cols; ++k)
            a(s_.pr, k) /= lead;
        s_.hlCol = -1;
        s_.caption = "Row Scaled...  Click";
        s_.step = GJStep::AnnounceSweep;
        break;
    }
    case GJStep::AnnounceSweep:
        highlight(s_.pc, -1);
        s_.sr = 1;
        s_.caption = "Click to begin sweeping zeros into column " + num(s_.pc);
        s_.step = GJStep::FindNextEntry;
        break;
    case GJStep::FindNextEntry:
        findNextEntry();
        break;
    case GJStep::ClearEntry: {
        const Extended f = a(s_.sr, s_.pc);
        for (int k = 1; k <= cols; ++k) {
            Extended v = a(s_.sr, k) - f * a(s_.pr, k);
            if (v != 0 && std::fabs(v) < 1e-17L) v = 0;
            a(s_.sr, k) = v;
        }
        ++s_.sr;
        if (s_.sr <= rows) {
            s_.caption = "Leading zero produced...  click";
            highlight(s_.pc, s_.sr - 1);
            s_.step = GJStep::FindNextEntry;
        } else {
            columnFinished();
        }
        break;
    }
    case GJStep::Done:
        break;
    }
    return true;
}

// The first row wins a tie: only a strictly larger value replaces it.
void GJAnimation::findPivot() {
    const int rows = s_.work.rows;
    Extended largest = 0;
    s_.mr = s_.pr;
    for (int r = s_.pr; r <= rows; ++r)
        if (std::fabs(a(r, s_.pc)) > largest) {
            largest = std::fabs(a(r, s_.pc));
            s_.mr = r;
        }
    if (largest == 0) {
        ++s_.pc;
        if (s_.pc <= s_.work.cols) {
            s_.caption = "Only zeros found, Click to begin column " + num(s_.pc);
            highlight(s_.pc, -1);
            s_.step = GJStep::Announce;
        } else {
            finish();
        }
        return;
    }
    if (s_.mr == s_.pr) {
        highlight(-1, s_.pr);
        if (a(s_.pr, s_.pc) != 1) {
            s_.caption = "Largest value not 1 - scale row by leading value...     click";
            s_.step = GJStep::Scale;
        } else {
            s_.caption = "Largest value = 1, no need to scale row....       click";
            s_.step = GJStep::AnnounceSweep;
        }
        return;
    }
    // The column stays highlighted, so the largest value itself shows red.
    s_.hlRow = s_.mr;
    s_.caption = "Largest value found in row " + num(s_.mr) + "...     click";
    s_.step = GJStep::AnnounceSwap;
}

void GJAnimation::findNextEntry() {
    int r = s_.sr;
    while (r <= s_.work.rows && (r == s_.pr || a(r, s_.pc) == 0))
        ++r;
    if (r > s_.work.rows) {
        columnFinished();
        return;
    }
    s_.sr = r;
    s_.caption = "Click to subtract  (" + gjFactorText(a(r, s_.pc)) + " * row " + num(s_.pr) +
                 ")  from row " + num(r);
    highlight(-1, r);
    s_.step = GJStep::ClearEntry;
}

void GJAnimation::columnFinished() {
    ++s_.pr;
    ++s_.pc;
    if (s_.pc > s_.work.cols || s_.pr > s_.work.rows) {
        finish();
        return;
    }
    s_.caption = "Zeros swept in, Click to begin column " + num(s_.pc);
    highlight(s_.pc, -1);
    s_.step = GJStep::Announce;
}

void GJAnimation::finish() {
    s_.caption = "Done.";
    highlight(-1, -1);
    s_.step = GJStep::Done;
}

} // namespace tallix
