#pragma once

#include "engine/core/Extended.h"

#include <string>
#include <vector>

namespace tallix {

class FuncSet;
struct PlotLayout;

// The four searches of the f(x) mode's analysis labels.
enum class AnalysisTool { XCross, Min, Max, Isect };

// What a search reads besides the function slots: the x extent of the
// selected region, the graph's T range and the angle unit. Parametric mode
// comes from the slots' FuncSet (ParamMode); every other mode searches each
// slot as y = f(x).
struct AnalysisInput {
    Extended xa = 0, xb = 0;
    Extended tMin = 0, tMax = 10;
    TrigMode trig = TrigMode::Radians;
};

inline constexpr const char* kNoneFound = " -  none found  -";
inline constexpr const char* kInPhaseLine = "--------   In-Phase Solution(s)";
inline constexpr const char* kOutOfPhaseLine = "--------   Out of Phase Solution(s)";

// The details window's title for a tool: "X-Axis Crossings", ...
const char* analysisTitle(AnalysisTool tool);

// Whether a tool has anything to search: some slot 1..20 defined and shown.
bool anySearchableSlot(const FuncSet& funcs);

// The world x of a pixel column of the last paint (the region's bounds).
Extended regionX(const PlotLayout& p, int column);

// Runs one tool over the slots that are defined and shown and returns the
// report, line by line: header lines holding a slot (or pair) number alone,
// value lines, pi-form lines and section lines; " -  none found  -" alone
// when nothing was found, or when the region (in parametric mode the T range
// too) is empty, reversed, not finite or too narrow for its hundredth to
// move a step. Evaluates through funcs.EvalFuncAtX, so the slots
// get compiled on the way; nothing else of funcs changes. Every search is
// bounded by its round limits.
std::vector<std::string> analyze(FuncSet& funcs, AnalysisTool tool, const AnalysisInput& in);

// The parts of analyze, each appending to `report` without the "none found"
// line.
void findCrossings(FuncSet& funcs, const AnalysisInput& in, std::vector<std::string>& report);
void findExtrema(FuncSet& funcs, bool maximum, const AnalysisInput& in,
                 std::vector<std::string>& report);
void findIntersections(FuncSet& funcs, const AnalysisInput& in, std::vector<std::string>& report);
void findParamIntersections(FuncSet& funcs, const AnalysisInput& in,
                            std::vector<std::string>& report);

} // namespace tallix
