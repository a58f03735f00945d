#include "store/Settings.h"

#include "store/FolderLock.h"

#include <algorithm>
#include <climits>
#include <string>

namespace tallix {

namespace {

constexpr std::string_view kSection = "config";

} // namespace

SettingsStore::SettingsStore(std::filesystem::path file) : ini_(std::move(file)) {}

void SettingsStore::load() {
    ini_.load();
    const Settings d;
    Settings& s = values_;
    // Colours are 24-bit values; anything else is not a colour.
    s.bgcolor = ini_.getInt(kSection, "bgcolor", d.bgcolor, 0, 0xFFFFFF);
    s.hlcolor = ini_.getInt(kSection, "hlcolor", d.hlcolor, 0, 0xFFFFFF);
    s.fracouterrdig = ini_.getInt(kSection, "fracouterrdig", d.fracouterrdig, -10, -4);
    s.roundn = ini_.getInt(kSection, "roundn", d.roundn, -1, 20);
    s.exppireduction = ini_.getBool(kSection, "exppireduction", d.exppireduction);
    s.matpireduction = ini_.getBool(kSection, "matpireduction", d.matpireduction);
    s.matrational = ini_.getBool(kSection, "matrational", d.matrational);
    s.matfuncprevansw = ini_.getBool(kSection, "matfuncprevansw", d.matfuncprevansw);
    s.matclrexpuponentry = ini_.getBool(kSection, "matclrexpuponentry", d.matclrexpuponentry);
    s.floatvssci = ini_.getBool(kSection, "floatvssci", d.floatvssci);
    s.autoscroll = ini_.getBool(kSection, "autoscroll", d.autoscroll);
    s.colorparens = ini_.getBool(kSection, "colorparens", d.colorparens);
    s.cursorcolor = ini_.getInt(kSection, "cursorcolor", d.cursorcolor, 0, 0xFFFFFF);
    s.calcmode = ini_.getInt(kSection, "calcmode", d.calcmode, 0, 4);
}

WriteResult SettingsStore::setFracOutErrDig(int v) {
    return setInt(values_.fracouterrdig, "fracouterrdig", std::clamp(v, -10, -4));
}

WriteResult SettingsStore::setRoundN(int v) {
    return setInt(values_.roundn, "roundn", std::clamp(v, -1, 20));
}

WriteResult SettingsStore::setCalcMode(int v) {
    return setInt(values_.calcmode, "calcmode", std::clamp(v, 0, 4));
}

// Each write starts from the file as it is now, so keys written by other parts
// of the program (the function definitions) and unknown lines survive. The
// folder lock keeps another window from saving between the read and the write.
WriteResult SettingsStore::update(const std::function<void(IniFile&)>& edit) {
    const FolderLock lock(FolderLock::folderOf(ini_.file()));
    ini_.load();
    edit(ini_);
    return ini_.save();
}

WriteResult SettingsStore::setInt(int& field, std::string_view key, int v) {
    field = v;
    return update([&](IniFile& ini) { ini.set(kSection, key, std::to_string(v)); });
}

WriteResult SettingsStore::setBool(bool& field, std::string_view key, bool v) {
    field = v;
    return update([&](IniFile& ini) { ini.set(kSection, key, v ? "1" : "0"); });
}

} // namespace tallix
