#pragma once

#include "engine/calc/CalcEditor.h"
#include "engine/edit/EditContext.h"
#include "engine/func/FuncEditor.h"
#include "engine/func/FuncSet.h"
#include "engine/graph/GraphLayout.h"
#include "engine/lists/ListCatalog.h"
#include "engine/lists/Regression.h"
#include "engine/matrix/MatState.h"
#include "engine/primes/PrimeSieve.h"

#include <memory>

namespace tallix {

// The mode of the main window.
enum class CalcMode { Calc = 0, Fx = 1, Lists = 2, Regr = 3, Matrix = 4 };

// Every model of one run of the program, each in one place: the calculator's
// lines, the function slots, the graph window, the trig mode and the token
// clipboard the editors share. The window's pages, dialogs and pictures read
// and change them here; settings arrive as plain values.
class Workspace {
public:
    Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    CalcMode mode() const { return mode_; }
    void setMode(CalcMode m) { mode_ = m; }

    // The angle unit of every evaluation of the run: the calculator's, the
    // functions', the graph's.
    TrigMode trigMode() const { return shared_.trig; }
    void setTrigMode(TrigMode t) { shared_.trig = t; }

    CalcEditor& calc() { return calc_; }
    const CalcEditor& calc() const { return calc_; }
    FuncSet& funcs() { return *funcs_; }
    const FuncSet& funcs() const { return *funcs_; }
    // The f(x) mode's editor of the slots (current slot, first visible slot).
    FuncEditor& funcEditor() { return funcEditor_; }
    // The matrix mode: its catalog, expression, results and options.
    MatState& mat() { return *mat_; }
    const MatState& mat() const { return *mat_; }
    // The data lists and the Regr mode's last report and fit.
    ListCatalog& lists() { return lists_; }
    const ListCatalog& lists() const { return lists_; }
    RegrState& regr() { return regr_; }
    const RegrState& regr() const { return regr_; }
    GraphWindow& graphWindow() { return graphWindow_; }
    const GraphWindow& graphWindow() const { return graphWindow_; }

    // The display settings of the calculator's answers and its autoscroll.
    void setCalcDisplay(const CalcDisplaySettings& s, bool autoscroll);

    // The primes up to one million, sieved on the first call (about a
    // millisecond) and kept for the run.
    const PrimeSieve& primeSieve();

private:
    CalcMode mode_ = CalcMode::Calc;
    EditContext shared_;
    CalcEditor calc_;
    std::unique_ptr<FuncSet> funcs_; // about 330 kB
    FuncEditor funcEditor_;
    GraphWindow graphWindow_;
    std::unique_ptr<MatState> mat_;      // about 30 kB
    std::unique_ptr<PrimeSieve> primes_; // until first needed
    ListCatalog lists_;
    RegrState regr_;
};

} // namespace tallix
