#include "engine/matrix/MatState.h"

#include <algorithm>

namespace tallix {

namespace {

bool isOperationMode(MatSubMode m) {
    return m == MatSubMode::Inv || m == MatSubMode::Rref || m == MatSubMode::Det ||
           m == MatSubMode::Trace;
}

bool insertsGlyph(TokenCode code) {
    return (code >= 3 && code <= 7) || (code >= 11 && code <= 15) || (code >= 19 && code <= 23) ||
           code == 28 || code == 30 || code == 36 || (code >= 40 && code <= 65);
}

constexpr TokenCode kEvaluate = 31;
constexpr TokenCode kBackspace = 38;
constexpr TokenCode kClear = 39;

} // namespace

std::optional<TokenCode> matCodeForChar(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= '0' && c <= '9') return kDigitCodes[c - '0'];
    if (c >= 'A' && c <= 'Z') return static_cast<TokenCode>(mat::FirstName + (c - 'A'));
    switch (c) {
    case '+':
        return 6;
    case '-':
        return 14;
    case '*':
        return 22;
    case '/':
        return 30;
    case '^':
        return 7;
    case '.':
        return 36;
    case '(':
    case '[':
    case '{':
        return 15;
    case ')':
    case ']':
    case '}':
        return 23;
    case '=':
        return kEvaluate;
    default:
        return std::nullopt;
    }
}

MatChange MatState::create(const MatCreateRequest& request, double now) {
    MatChange r = createMat(catalog, request, now);
    if (!r.ok) return r;
    result_.valid = false;
    editMat(r.index);
    return r;
}

MatChange MatState::rename(int index, std::string_view newName) {
    const bool renamingEdited = index == editIndex;
    MatChange r = renameMat(catalog, index, newName);
    if (!r.ok) return r;
    result_.valid = false;
    selectedRow = r.index;
    if (renamingEdited) {
        editIndex = r.index;
        editor_.load(catalog, editIndex);
    } else {
        refindEdited();
    }
    return r;
}

MatChange MatState::remove(int index) {
    MatChange r = deleteMat(catalog, index);
    if (!r.ok) return r;
    result_.valid = false;
    editIndex = -1;
    editor_ = MatCellEditor{};
    selectedRow = -1;
    return r;
}

bool MatState::canSaveResult() const {
    if (subMode == MatSubMode::Algeb) return result_.valid;
    const MatOpGridResult* r = subMode == MatSubMode::Inv    ? &inv_
                               : subMode == MatSubMode::Rref ? &rref_
                                                             : nullptr;
    return r && r->message.empty() && r->rows >= 1 && r->cols >= 1;
}

MatChange MatState::saveResultAs(std::string_view name, double now) {
    if (!canSaveResult()) return {};
    std::vector<std::string> cells;
    if (subMode == MatSubMode::Algeb) {
        cells = result_.cellList();
        MatChange change = saveMatAs(catalog, name, result_.rows, result_.cols, cells, now);
        if (change.ok) refindEdited();
        return change;
    }
    const MatOpGridResult& r = subMode == MatSubMode::Inv ? inv_ : rref_;
    for (int i = 0; i < r.rows; ++i)
        for (int j = 0; j < r.cols; ++j)
            cells.push_back(r.cell(i, j));
    MatChange change = saveMatAs(catalog, name, r.rows, r.cols, cells, now);
    if (change.ok) refindEdited();
    return change;
}

void MatState::refindEdited() {
    if (!editor_.loaded()) {
        editIndex = -1;
        return;
    }
    editIndex = FindMatDefInMatsTSL(catalog, editor_.def().name);
    // A save over the edited matrix's name replaced its cells.
    if (editIndex >= 0 && catalog.line(editIndex) != editor_.line())
        editor_.load(catalog, editIndex);
}

bool MatState::editMat(int index) {
    if (!editor_.load(catalog, index)) return false;
    editIndex = index;
    subMode = MatSubMode::Edit;
    return true;
}

bool MatState::editCellKey(TokenCode code) {
    if (subMode != MatSubMode::Edit || editIndex < 0 || !editor_.key(code)) return false;
    catalog.replaceLine(editIndex, editor_.line());
    result_.valid = false;
    return true;
}

bool MatState::editCellDelete() {
    if (subMode != MatSubMode::Edit || editIndex < 0 || !editor_.deleteAtCursor()) return false;
    catalog.replaceLine(editIndex, editor_.line());
    result_.valid = false;
    return true;
}

void MatState::clearExpression() {
    expr_.clear();
    cursor_ = 1;
    result_.valid = false;
}

void MatState::enterAlgeb() {
    subMode = MatSubMode::Algeb;
    if (options.clrExpUponEntry) clearExpression();
}

void MatState::ProcessMatButtonClick(TokenCode code) {
    if (subMode != MatSubMode::Algeb) return;
    if (insertsGlyph(code)) {
        const std::size_t at =
            std::min<std::size_t>(static_cast<std::size_t>(cursor_ - 1), expr_.size());
        expr_.insert(at, MatKeyGlyphs[code]);
        ++cursor_;
    } else if (code == kEvaluate) {
        EvalCrMatExp();
    } else if (code == kBackspace) {
        if (cursor_ >= 2 && static_cast<std::size_t>(cursor_ - 2) < expr_.size()) {
            expr_.erase(static_cast<std::size_t>(cursor_ - 2), 1);
            --cursor_;
        }
    } else if (code == kClear) {
        clearExpression();
        result_.message.clear();
    }
}

void MatState::editKey(MatEditKey key) {
    const int end = static_cast<int>(expr_.size()) + 1;
    switch (key) {
    case MatEditKey::Home:
        cursor_ = 1;
        break;
    case MatEditKey::End:
        cursor_ = end;
        break;
    case MatEditKey::Left:
        cursor_ = std::max(1, cursor_ - 1);
        break;
    case MatEditKey::Right:
        cursor_ = std::min(end, cursor_ + 1);
        break;
    case MatEditKey::Delete:
        if (cursor_ < end) expr_.erase(static_cast<std::size_t>(cursor_ - 1), 1);
        break;
    }
}

void MatState::EvalCrMatExp() {
    const MatEvalOutcome out = evalMatExpr(expr_, catalog);
    result_.message = out.message;
    if (!out.ok) return;
    result_.valid = true;
    result_.scalar = out.scalar;
    result_.rows = out.rows;
    result_.cols = out.cols;
    result_.cells = out.cells;
}

MatSource MatState::operationSource() const {
    if (result_.valid && options.funcPrevAnsw && prevSubMode == MatSubMode::Algeb)
        return resultSource(result_.rows, result_.cols, result_.cells);
    switch (prevSubMode) {
    case MatSubMode::List:
        return catalogSource(catalog, selectedRow);
    case MatSubMode::Edit:
        return catalogSource(catalog, editIndex);
    case MatSubMode::Algeb: {
        MatSource src = catalogSource(catalog, FindMatDefInMatsTSL(catalog, expr_));
        if (src.status == MatSource::Status::NoSelection) src.status = MatSource::Status::NotKnown;
        return src;
    }
    default:
        return {};
    }
}

void MatState::runOperation(MatSubMode op) {
    if (enterOperation(op)) computeOperation();
}

bool MatState::enterOperation(MatSubMode op) {
    // Rref starts only from a selected row, the edited matrix or the algebra.
    if (op == MatSubMode::Rref && subMode != MatSubMode::Edit && subMode != MatSubMode::Algeb &&
        !(subMode == MatSubMode::List && selectedRow >= 0))
        return false;
    if (!isOperationMode(subMode)) prevSubMode = subMode;
    subMode = op;
    return true;
}

void MatState::computeOperation() {
    const MatSubMode op = subMode;
    const MatSource src = operationSource();
    const std::string_view algeb =
        prevSubMode == MatSubMode::Algeb ? std::string_view(expr_) : std::string_view();
    switch (op) {
    case MatSubMode::Rref:
        rref_ = matRref(src, options.rational, algeb);
        break;
    case MatSubMode::Inv:
        inv_ = matInv(src, options.rational, algeb);
        break;
    case MatSubMode::Det:
        det_ = matDet(src, algeb);
        break;
    case MatSubMode::Trace:
        trace_ = matTrace(src, algeb);
        break;
    default:
        break;
    }
}

} // namespace tallix
