// List files and catalog lines, as loaded: the first input byte picks the
// model, the rest is the Y list file's text, then (after a NUL) the X list
// file's text. The fit's report has the table of every pair when it fitted
// and no table otherwise, the plot stays inside the int range with one cross
// per pair, the copy text types only function keys, and every catalog line
// parses into fields that encode back to a line with the same fields.
#include "fuzz/FuzzCheck.h"

#include "engine/lists/ListCatalog.h"
#include "engine/lists/RegrCopy.h"
#include "engine/lists/RegrPlot.h"
#include "engine/lists/Regression.h"

#include <string>
#include <string_view>

using namespace tallix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const auto model = static_cast<RegrModel>(in.byte() % 5);
    const std::string_view text(reinterpret_cast<const char*>(in.rest().data()), in.rest().size());
    const auto nul = text.find('\0');
    RegrData d{"X", "Y", {}, splitListItems(text.substr(0, nul))};
    if (nul == std::string_view::npos)
        d.x = integerListItems(1, d.y.size());
    else
        d.x = splitListItems(text.substr(nul + 1));

    RegrState s;
    runRegression(s, model, d);
    FUZZ_CHECK(!s.report.empty(), "empty report");
    if (s.fitted) {
        FUZZ_CHECK(s.report.size() == 8 + d.x.size(), "%zu report lines for %zu pairs",
                   s.report.size(), d.x.size());
        FUZZ_CHECK(s.xs.size() == d.x.size(), "%zu values for %zu pairs", s.xs.size(), d.x.size());
    } else {
        for (const std::string& line : s.report)
            FUZZ_CHECK(!line.starts_with("4!"), "a table line without a fit: %s", line.c_str());
    }
    const RegrPlot plot = layoutRegrPlot(s, 344, 226);
    if (plot.hasData) {
        FUZZ_CHECK(plot.crosses.size() == s.xs.size(), "%zu crosses", plot.crosses.size());
        for (const RegrPlot::Point& p : plot.crosses)
            FUZZ_CHECK(p.x >= -1000000 && p.x <= 1000000 && p.y >= -1000000 && p.y <= 1000000,
                       "cross at %d, %d", p.x, p.y);
        FUZZ_CHECK(plot.xTicks.size() <= 4002 && plot.yTicks.size() <= 4002, "%zu, %zu ticks",
                   plot.xTicks.size(), plot.yTicks.size());
    }
    for (TokenCode c : copyTextCodes(s.copyText))
        FUZZ_CHECK(c < func::kCodeCount, "code %d", int(c));

    for (const std::string& line : splitListItems(text)) {
        const ListDef def = ParseListLn(line);
        if (def.name.find(',') != std::string::npos) continue;
        const ListDef again = ParseListLn(EncodeListLn(def, "/data"));
        FUZZ_CHECK(again.name == def.name && again.count == def.count &&
                       again.preview == def.preview,
                   "line %s", line.c_str());
    }
    return 0;
}
