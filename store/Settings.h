#pragma once

#include "store/AtomicFile.h"
#include "store/IniFile.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tallix {

// The values of section "config" of "tallix.ini". Colours are Windows colour
// values (0x00BBGGRR). Function definitions ("func1".."func20") are kept by
// the function store, not here.
struct Settings {
    int bgcolor = 14548735;     // 0xDDFEFF: a pale yellow
    int hlcolor = 65535;        // 0x00FFFF, pressed-key colour
    int cursorcolor = 16711808; // 0xFF0080
    int fracouterrdig = -8;     // -10..-4
    int roundn = -1;            // -1..20, -1 = full
    bool exppireduction = true;
    bool floatvssci = true;
    bool autoscroll = false;
    bool colorparens = true;
    bool matpireduction = true;
    bool matrational = true;
    bool matfuncprevansw = false;
    bool matclrexpuponentry = true;
    int calcmode = 0; // 0 Calc, 1 f(x), 2 Lists, 3 Regr, 4 Matrix
};

inline constexpr int kDefaultBgColor = 14548735;

// Reads and writes "tallix.ini". Each setter changes one
// value and writes the file at once; the result says whether the write
// succeeded (on failure the old file is untouched and the value stays set in
// memory for this run).
class SettingsStore {
public:
    static constexpr const char* kFileName = "tallix.ini";

    // Uses `file`, normally kFileName in the data folder the caller chose.
    explicit SettingsStore(std::filesystem::path file);

    // Reads the file; a missing file or a bad value gives the default. A file
    // that exists but cannot be read gives the defaults too, and is never
    // written in this run: every setter and update() then fail with a text
    // saying so (the values still change in memory).
    void load();
    // After load(): why the file could not be read, naming it; nothing when it
    // was read or is missing.
    std::optional<std::string> loadError() const { return ini_.loadError(); }
    const Settings& values() const { return values_; }
    const std::filesystem::path& file() const { return ini_.file(); }
    // The file as last read, for keys kept by other parts of the program (the
    // function slots).
    const IniFile& ini() const { return ini_; }
    // Re-reads the file, lets `edit` change keys and writes it atomically,
    // holding the data folder's lock (FolderLock) from the read to the write.
    WriteResult update(const std::function<void(IniFile&)>& edit);

    WriteResult setBgColor(int v) { return setInt(values_.bgcolor, "bgcolor", v); }
    WriteResult setHlColor(int v) { return setInt(values_.hlcolor, "hlcolor", v); }
    WriteResult setCursorColor(int v) { return setInt(values_.cursorcolor, "cursorcolor", v); }
    WriteResult setFracOutErrDig(int v);
    WriteResult setRoundN(int v);
    WriteResult setExpPiReduction(bool v) {
        return setBool(values_.exppireduction, "exppireduction", v);
    }
    WriteResult setFloatVsSci(bool v) { return setBool(values_.floatvssci, "floatvssci", v); }
    WriteResult setAutoScroll(bool v) { return setBool(values_.autoscroll, "autoscroll", v); }
    WriteResult setColorParens(bool v) { return setBool(values_.colorparens, "colorparens", v); }
    WriteResult setMatPiReduction(bool v) {
        return setBool(values_.matpireduction, "matpireduction", v);
    }
    WriteResult setMatRational(bool v) { return setBool(values_.matrational, "matrational", v); }
    WriteResult setMatFuncPrevAnsw(bool v) {
        return setBool(values_.matfuncprevansw, "matfuncprevansw", v);
    }
    WriteResult setMatClrExpUponEntry(bool v) {
        return setBool(values_.matclrexpuponentry, "matclrexpuponentry", v);
    }
    WriteResult setCalcMode(int v);

private:
    WriteResult setInt(int& field, std::string_view key, int v);
    WriteResult setBool(bool& field, std::string_view key, bool v);

    IniFile ini_;
    Settings values_;
};

} // namespace tallix
