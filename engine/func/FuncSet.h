#pragma once

#include "engine/core/Extended.h"
#include "engine/core/Scalar.h"
#include "engine/func/FuncSlot.h"

#include <array>
#include <memory>
#include <span>
#include <string>

namespace tallix {

inline constexpr int kFnumPoolSize = 150;

// The twenty function slots of the f(x) mode with the state they share: the
// constant pool of their compiled programs, the graph mode flags, the power
// cache and the result of the last evaluation. About 330 kB; allocate it once
// (the main window owns one) rather than on the stack.
class FuncSet {
public:
    FuncSet();

    // Slot n, 1..20. Changes go through the members below.
    const FuncSlot& slot(int n) const { return slots_[n - 1]; }

    // The one door for edits of slot n's tokens: runs edit(TokenLine&) on
    // them; when the tokens changed, drops the slot's program, advances its
    // revision and sets FuncsChanged. Cursor and selection moves change
    // nothing else. Returns whether the tokens changed.
    template <class Edit> bool editText(int n, Edit&& edit) {
        TokenLine& line = slots_[n - 1].text;
        const std::uint64_t before = line.revision();
        edit(line);
        if (line.revision() == before) return false;
        tokensChanged(n);
        return true;
    }
    // The tokens of slot n become `codes` (cut at the slot's capacity).
    void setTokens(int n, std::span<const TokenCode> codes);
    void setColour(int n, ColourValue c);
    void setShown(int n, bool shown);

    int CurrentFunc = 1;       // the slot being edited, 1..20
    bool FuncsChanged = false; // tokens, colour or shown flag changed since loading
    bool PolarMode = false;
    bool ParamMode = false;

    // Takes the lowest free pool entry, stores value in it and returns its
    // number 1..150, or -1 when all are in use.
    int AddFnumToPool(Extended value);
    // Marks entry n (1..150) free; other numbers are ignored.
    void FreeFnumPoolEntry(int n);
    bool poolEntryInUse(int n) const { return n >= 1 && n <= kFnumPoolSize && poolUsed_[n - 1]; }
    Extended poolValue(int n) const { return poolValue_[n - 1]; }

    // Drops slot n's program and gives its constants back to the pool.
    void InvalidateFuncRPNn(int n);
    void InvalidateFuncRPNall();
    // Marks every sampler's values of slot n stale.
    void InvalidateFuncCacheN(int n);
    void InvalidateFuncCacheAll();

    // "Clear All" of the f(x) mode: every slot empty and shown, colours kept,
    // slot 1 current, the whole pool free, FuncsChanged set. The window resets
    // its own scroll positions and repaints.
    void ClearAll();

    // Prepares slot n to be written from outside (a fitted equation copied
    // from the regression display): makes it current and empty, drops its
    // program and samples, cursor at the start, no selection, shown; in
    // parametric mode the even partner of an odd n gets the same except that
    // it keeps its tokens. Sets
    // FuncsChanged. The caller then feeds the tokens through the function
    // editor's key operation and sends Enter.
    void prepareOutsideWrite(int n);

    // Evaluates slot n (1..20) at x, compiling it first when it has no
    // program. Afterwards the value is undefined when FuncErrorText is not
    // empty (FuncResult then keeps its previous value) or when
    // isUndefined(FuncResult); otherwise FuncResult is f(x). x is the
    // variable of the slot (x, theta or t), taken by reference so that a
    // value already in memory is not copied for the call. Never allocates
    // once the slot is compiled.
    void EvalFuncAtX(int n, const Extended& x, TrigMode trig);

    // Slot n at each of xs[0..count) into out[0..count): f(x), or
    // UndefinedMarker where f has no value. One call for a block of samples
    // costs less than count calls of EvalFuncAtX. When the slot's program
    // cannot run, FuncErrorText says why and out is left alone; otherwise
    // FuncErrorText is empty. FuncResult is not changed.
    void EvalFuncBlock(int n, const Extended* xs, int count, Extended* out, TrigMode trig);

    std::string FuncErrorText; // empty when the last evaluation succeeded
    Extended FuncResult = 0;

    // base raised to exponent under the shared power rules (signedPower):
    // UndefinedMarker when the result is not real or an operand is undefined.
    // A negative base's exponent fraction comes from (and goes into) the power
    // cache, and so does that of an exponent near a whole number of sixths:
    // thirds are computed through the cube root.
    Extended power(Extended base, Extended exponent);

private:
    void tokensChanged(int n);
    // Compiles slot n into its FuncRPN; on failure sets FuncErrorText and
    // leaves the slot uncompiled with no pool entry taken.
    void compile(int n);
    ExponentFraction cachedFraction(Extended e);

    // A compiled program made ready to run: constants resolved to their
    // values, a constant or the variable merged into the binary operator that
    // follows it, and the stack depth checked once instead of at every run.
    struct RunStep {
        Extended k = 0; // the constant of a merged step
        // k as the exact sum of two doubles, which load for a fraction of an
        // Extended's cost; steps other than PushK and PowK read it this way.
        // Constants that are no such sum are not merged into those steps.
        double kHigh = 0;
        double kLow = 0;
        std::int16_t code = 0;  // operator code, or one of the merged codes
        std::int16_t count = 0; // exponent of an integral power step
        bool spill = false;     // the step moves a value to or from memory
        bool paired = false;    // k is kHigh + kLow
        Extended pairedK() const { return Extended(kHigh) + Extended(kLow); }
    };
    // The constant of a leaf step with code Code.
    template <int Code> static Extended constantOf(const RunStep& step);
    // Sets the step's constant: k, and its two doubles when it is their sum.
    static void setConstant(RunStep& step, Extended k);
    struct RunProgram;
    // Runs a prepared program at x into set.FuncResult: the loop over its
    // steps (without the steps that call the library when the program has
    // none), or for a program of one step that step alone, without the
    // loop's frame.
    using Runner = void (*)(FuncSet& set, const RunProgram& p, const Extended& x, TrigMode trig);
    // The same for each of xs[0..count) into out.
    using BlockRunner = void (*)(FuncSet& set, const RunProgram& p, const Extended* xs, int count,
                                 Extended* out, TrigMode trig);
    struct RunProgram {
        std::array<RunStep, kMaxFuncProgram> steps;
        int length = 0;
        Runner runner = nullptr;
        BlockRunner blockRunner = nullptr;
        const char* error = nullptr; // the stack-depth error every run reports
    };
    void prepareRun(int n);
    // EvalFuncAtX for a slot without a program ready to run: compiles it
    // first, or reports why it cannot run (n outside 1..20 included).
    void evalUnprepared(int n, const Extended& x, TrigMode trig);
    static void fuseLeaves(RunProgram& p);
    template <bool CallFree> Extended run(const RunProgram& p, Extended x, TrigMode trig);
    template <bool CallFree>
    static void runSteps(FuncSet& set, const RunProgram& p, const Extended& x, TrigMode trig);
    template <bool CallFree>
    static void runStepsBlock(FuncSet& set, const RunProgram& p, const Extended* xs, int count,
                              Extended* out, TrigMode trig);
    template <int Code>
    static void runLeaf(FuncSet& set, const RunProgram& p, const Extended& x, TrigMode trig);
    template <int Code>
    static void runLeafBlock(FuncSet& set, const RunProgram& p, const Extended* xs, int count,
                             Extended* out, TrigMode trig);
    static void chooseRunners(RunProgram& p);
    // Makes slot n ready to run: compiles it when it has no program. False,
    // with FuncErrorText set, when it cannot run (n outside 1..20 included).
    bool readyToRun(int n);

    std::array<FuncSlot, kFuncSlotCount> slots_;
    std::array<RunProgram, kFuncSlotCount> runPrograms_;
    std::array<Extended, kFnumPoolSize> poolValue_{};
    std::array<bool, kFnumPoolSize> poolUsed_{};

    struct PowerCacheEntry {
        Extended exponent = 0; // magnitude
        ExponentFraction fraction;
    };
    std::array<PowerCacheEntry, 5> powerCache_{}; // most recently used first
};

// Inline, so a caller's loop pays one call per evaluation: the program's own
// runner.
inline void FuncSet::EvalFuncAtX(int n, const Extended& x, TrigMode trig) {
    if (!FuncErrorText.empty()) FuncErrorText.clear();
    // A program ready to run has steps; a slot not compiled yet, or whose
    // program has a stack-depth error, has none.
    if (static_cast<unsigned>(n - 1) >= kFuncSlotCount || runPrograms_[n - 1].length == 0)
        [[unlikely]]
        return evalUnprepared(n, x, trig);
    const RunProgram& p = runPrograms_[n - 1];
    p.runner(*this, p, x, trig);
}

// Messages of the function compiler and evaluator.
namespace funcerr {
inline constexpr const char* kTooManyOpen = "Unbalanced parentheses - too many \"(\" ";
inline constexpr const char* kTooManyClose = "Unbalanced parentheses - too many \")\" ";
inline constexpr const char* kArc = "error: ARC not followed by Sin, Cos or Tan.";
inline constexpr const char* kNumberFormat = "error: invalid number format - ";
inline constexpr const char* kUnbalanced = "error: unbalanced operands and operators.";
inline constexpr const char* kInsufficient = "error: insufficient operands.";
inline constexpr const char* kTooFew = "error: too few data operands.";
inline constexpr const char* kTooMany = "error: too many data operands.";
inline constexpr const char* kTooLong = "error: function too long - more than 2048 items.";
inline constexpr const char* kTooDeep =
    "error: function too deeply nested - more than 100 operators waiting.";
inline constexpr const char* kProgramFull =
    "error: function too long - more than 100 program items.";
inline constexpr const char* kPoolFull =
    "error: too many constants - no free number slots (150 in use by all functions).";
} // namespace funcerr

} // namespace tallix
