#include "ui/shell/AppState.h"

#include "store/FuncSlotsIni.h"

#include <QMessageBox>
#include <QWidget>

#include <chrono>

namespace tallix {

AppState::AppState(std::filesystem::path dataFolder, QObject* parent)
    : QObject(parent), folder_(std::move(dataFolder)), store_(folder_ / SettingsStore::kFileName),
      mats_(folder_ / MatCatalogFile::kFileName), listsFile_(folder_ / ListCatalogFile::kFileName) {
    store_.load();
    loadFuncSlots(store_.ini(), ws_.funcs());
    const int mode = store_.values().calcmode;
    ws_.setMode(static_cast<CalcMode>(mode >= 0 && mode <= 4 ? mode : 0));
    const Settings& v = store_.values();
    ws_.setCalcDisplay({v.fracouterrdig, v.roundn, v.exppireduction, v.floatvssci}, v.autoscroll);
    ws_.mat().options = {v.matpireduction, v.matrational, v.matfuncprevansw, v.matclrexpuponentry};
    matsWarning_ = mats_.load(ws_.mat().catalog);
    listsWarning_ = listsFile_.load(ws_.lists());

    // A missing file is an empty history; lines that do not parse are kept
    // as they are and shown as raw text.
    history_.load(folder_ / ExpressionHistory::kFileName);
    ws_.calc().setEvaluatedHook([this](std::span<const TokenCode> tokens) {
        if (recordHistory_)
            history_.record(dateTimeNumber(std::chrono::system_clock::now()), tokens);
    });
}

AppState::~AppState() {
    ws_.calc().setEvaluatedHook({});
}

void AppState::settingsApplied() {
    const Settings& v = store_.values();
    ws_.setCalcDisplay({v.fracouterrdig, v.roundn, v.exppireduction, v.floatvssci}, v.autoscroll);
    ws_.mat().options = {v.matpireduction, v.matrational, v.matfuncprevansw, v.matclrexpuponentry};
    emit settingsChanged();
}

void AppState::warn(const QString& text) {
    QMessageBox::warning(warningParent_, "Graphing Abacorn", text);
}

bool AppState::checkWrite(const WriteResult& r) {
    if (r.ok) return true;
    warn(QString("Unable to save settings.\n%1").arg(QString::fromStdString(r.error)));
    return false;
}

void AppState::setTrigMode(TrigMode t) {
    if (t == ws_.trigMode()) return;
    ws_.setTrigMode(t);
    emit trigModeChanged(t);
}

void AppState::setHintsEnabled(bool on) {
    if (on == hints_) return;
    hints_ = on;
    emit hintsChanged(on);
}

void AppState::setMode(CalcMode m) {
    ws_.setMode(m);
    checkWrite(store_.setCalcMode(static_cast<int>(m)));
}

bool AppState::saveHistory() {
    if (!history_.changed()) return true;
    const WriteResult r = history_.save(folder_ / ExpressionHistory::kFileName);
    if (r.ok) {
        history_.markSaved();
        return true;
    }
    warn(QString("Unable to save expression history.\n%1").arg(QString::fromStdString(r.error)));
    return false;
}

// Writes the slots into "tallix.ini" as it stands now (other keys kept).
bool AppState::saveFuncs() {
    FuncSet& funcs = ws_.funcs();
    if (!funcs.FuncsChanged) return true;
    if (!checkWrite(saveFuncSlots(store_, funcs))) return false;
    funcs.FuncsChanged = false;
    return true;
}

bool AppState::saveMats() {
    const auto message = ChkptMatsTSL(ws_.mat().catalog, mats_);
    if (!message) return true;
    warn(QString::fromStdString(*message));
    return false;
}

double AppState::now() {
    return dateTimeNumber(std::chrono::system_clock::now());
}

bool AppState::saveLists() {
    const auto message = ChkptListsTSL(ws_.lists(), listsFile_);
    emit listsChanged();
    if (!message) return true;
    warn(QString::fromStdString(*message));
    return false;
}

bool AppState::saveListItems(const std::string& name, const std::vector<std::string>& items) {
    const ListSave r = tallix::saveListItems(ws_.lists(), name, items, now(), listFolder());
    if (!r.error.empty()) {
        warn(QString::fromStdString(r.error));
        return false;
    }
    const WriteResult w = writeListItems(folder_, r.path, items);
    if (!w.ok)
        warn(isInsideFolder(folder_, r.path) ? QString(listmsg::kItemsNotSaved)
                                             : QString::fromStdString(w.error));
    saveLists();
    return w.ok;
}

ReadResult AppState::readList(int index, std::vector<std::string>& items) const {
    items.clear();
    const ListDef d = ParseListN(ws_.lists(), index);
    if (d.path.empty()) return {ReadResult::Status::Missing, "no data file", false};
    return readListItems(d.path, items);
}

void AppState::reportLoadErrors() {
    if (listsWarning_) warn(QString::fromStdString(*listsWarning_));
    if (matsWarning_) warn(QString::fromStdString(*matsWarning_));
    for (const auto& error : {store_.loadError(), history_.loadError()})
        if (error)
            warn(QString("%1\nYour changes are kept for this run only; the file is not written "
                         "over.")
                     .arg(QString::fromStdString(*error)));
}

} // namespace tallix
