#include "app/cli/Commands.h"

#include "engine/lists/Regression.h"
#include "store/ListCatalogFile.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>

namespace tallix::cli {

namespace {

constexpr const char* kRegrUsage =
    "usage: tallix-cli regr --method linear|log|exp|power|quad XSPEC YFILE\n"
    "       XSPEC is a list file, or int0 / int1 for the integers from 0 / 1\n";

constexpr std::array<std::string_view, 5> kMethods = {"linear", "log", "exp", "power", "quad"};

bool readItems(const char* file, std::vector<std::string>& items) {
    const ReadResult r = readListItems(file, items);
    if (r.read()) return true;
    std::fprintf(stderr, "tallix-cli regr: cannot read '%s': %s\n", file,
                 r.status == ReadResult::Status::Missing ? "no such file" : r.reason.c_str());
    return false;
}

} // namespace

int runRegr(std::span<char* const> args) {
    int method = -1;
    std::vector<const char*> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        if (a == "--method" && i + 1 < args.size() && method < 0) {
            const std::string_view m = args[++i];
            for (std::size_t k = 0; k < kMethods.size(); ++k)
                if (kMethods[k] == m) method = static_cast<int>(k);
            if (method < 0) {
                std::fputs(kRegrUsage, stderr);
                return 2;
            }
        } else {
            files.push_back(args[i]);
        }
    }
    if (method < 0 || files.size() != 2) {
        std::fputs(kRegrUsage, stderr);
        return 2;
    }
    RegrData data;
    data.yName = files[1];
    if (!readItems(files[1], data.y)) return 2;
    const std::string_view x = files[0];
    if (x == "int0" || x == "int1") {
        data.xName = x == "int0" ? "Integer List 0..n" : "Integer List 1..n";
        data.x = builtinXList(data.xName, data.y.size()).items;
    } else {
        data.xName = files[0];
        if (!readItems(files[0], data.x)) return 2;
    }
    RegrState state;
    runRegression(state, static_cast<RegrModel>(method), data);
    for (const std::string& line : state.report)
        std::printf("%s\n", line.c_str());
    std::printf("copy: %s\n", state.copyText.c_str());
    return 0;
}

} // namespace tallix::cli
