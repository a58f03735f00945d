#include "app/cli/Commands.h"

#include "engine/matrix/GJAnimation.h"
#include "engine/matrix/MatState.h"
#include "store/MatCatalogFile.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tallix::cli {

namespace {

constexpr const char* kMatUsage = "usage: tallix-cli mat --catalog FILE EXPR\n";
constexpr const char* kGjUsage = "usage: tallix-cli gj --catalog FILE NAME\n";
constexpr const char* kMatOpUsage =
    "usage: tallix-cli matop rref|inv|det|trace [--no-rational] --catalog FILE NAME\n";

// Reads the catalog; false (with a note on stderr) when the file is missing
// or unreadable.
bool loadCatalog(const char* command, const char* file, MatCatalog& catalog) {
    if (!std::filesystem::exists(file)) {
        std::fprintf(stderr, "tallix-cli %s: no catalog file '%s'\n", command, file);
        return false;
    }
    MatCatalogFile f(file);
    if (f.load(catalog)) {
        std::fprintf(stderr, "tallix-cli %s: %s\n", command, f.loadReason()->c_str());
        return false;
    }
    return true;
}

void printRows(int rows, int cols, const std::array<std::string, kMatMaxDim * kMatMaxDim>& cells) {
    for (int r = 0; r < rows; ++r) {
        std::string line;
        for (int c = 0; c < cols; ++c) {
            if (c > 0) line.push_back('\t');
            line += cells[r * kMatMaxDim + c];
        }
        std::printf("%s\n", line.c_str());
    }
}

void printGridResult(const MatOpGridResult& r) {
    std::printf("%s\n", r.title.c_str());
    if (!r.message.empty())
        std::printf("%s\n", r.message.c_str());
    else
        printRows(r.rows, r.cols, r.cells);
}

} // namespace

int runMat(std::span<char* const> args) {
    const char* file = nullptr;
    const char* expr = nullptr;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--catalog" && i + 1 < args.size() && !file) {
            file = args[++i];
        } else if (!expr) {
            expr = args[i];
        } else {
            expr = nullptr;
            break;
        }
    }
    if (!file || !expr) {
        std::fputs(kMatUsage, stderr);
        return 2;
    }
    MatState state;
    if (!loadCatalog("mat", file, state.catalog)) return 2;
    const MatEvalOutcome out = evalMatExpr(expr, state.catalog);
    if (!out.ok)
        std::printf("%s\n", out.message.c_str());
    else
        printRows(out.rows, out.cols, out.cells);
    return 0;
}

int runMatOp(std::span<char* const> args) {
    if (args.empty()) {
        std::fputs(kMatOpUsage, stderr);
        return 2;
    }
    const std::string_view opName = args[0];
    MatSubMode op;
    if (opName == "rref")
        op = MatSubMode::Rref;
    else if (opName == "inv")
        op = MatSubMode::Inv;
    else if (opName == "det")
        op = MatSubMode::Det;
    else if (opName == "trace")
        op = MatSubMode::Trace;
    else {
        std::fputs(kMatOpUsage, stderr);
        return 2;
    }
    bool rational = true;
    const char* file = nullptr;
    const char* name = nullptr;
    bool extra = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--no-rational")
            rational = false;
        else if (a == "--catalog" && i + 1 < args.size() && !file)
            file = args[++i];
        else if (!name)
            name = args[i];
        else
            extra = true;
    }
    if (!file || !name || extra) {
        std::fputs(kMatOpUsage, stderr);
        return 2;
    }
    MatState state;
    if (!loadCatalog("matop", file, state.catalog)) return 2;
    state.options.rational = rational;
    // The name is typed as an algebra expression, and the operation pressed.
    state.enterAlgeb();
    for (char c : std::string_view(name))
        if (const auto code = matCodeForChar(c); code && *code != 31)
            state.ProcessMatButtonClick(*code);
    state.runOperation(op);
    switch (op) {
    case MatSubMode::Rref:
        printGridResult(state.rref());
        break;
    case MatSubMode::Inv:
        printGridResult(state.inv());
        break;
    case MatSubMode::Det:
        std::printf(
            "%s\n",
            (state.det().message.empty() ? state.det().title : state.det().message).c_str());
        break;
    default:
        std::printf("%s\n", state.trace().line.c_str());
        break;
    }
    return 0;
}

int runGj(std::span<char* const> args) {
    const char* file = nullptr;
    const char* name = nullptr;
    bool extra = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--catalog" && i + 1 < args.size() && !file)
            file = args[++i];
        else if (!name)
            name = args[i];
        else
            extra = true;
    }
    if (!file || !name || extra) {
        std::fputs(kGjUsage, stderr);
        return 2;
    }
    MatCatalog catalog;
    if (!loadCatalog("gj", file, catalog)) return 2;
    // The source as Rref takes it: the catalog matrix named by the
    // expression, read up to its first invalid cell; none gives 0 x 0.
    const MatSource src = catalogSource(catalog, FindMatDefInMatsTSL(catalog, trimText(name)));
    GJAnimation gj;
    gj.start(src.status == MatSource::Status::Ok || src.status == MatSource::Status::InvalidCell
                 ? src.grid
                 : MatGrid{});
    std::printf("%s\n", gj.caption().c_str());
    while (gj.advance())
        std::printf("%s\n", gj.caption().c_str());
    return 0;
}

} // namespace tallix::cli
