#pragma once

#include "engine/workspace/Workspace.h"
#include "store/History.h"
#include "store/ListCatalogFile.h"
#include "store/MatCatalogFile.h"
#include "store/Settings.h"

#include <QObject>

#include <filesystem>
#include <optional>
#include <string>

class QWidget;

namespace tallix {

// The models of one run (the workspace) with the files they come from and go
// to: "tallix.ini" and the expression history in the data folder. Windows,
// pages and dialogs change the run through here and hear of each change by
// its signal, so that every view of a fact shows the same value.
class AppState : public QObject {
    Q_OBJECT
public:
    // Reads "tallix.ini" (settings and function slots) and the history from
    // `dataFolder`.
    explicit AppState(std::filesystem::path dataFolder, QObject* parent = nullptr);
    ~AppState() override;

    Workspace& workspace() { return ws_; }
    const Workspace& workspace() const { return ws_; }
    const std::filesystem::path& dataFolder() const { return folder_; }

    const Settings& settings() const { return store_.values(); }
    // Changes one setting through `write` (a SettingsStore setter), hands the
    // new values to the workspace and tells the views; a failed write is
    // reported in a warning box (the value stays set for this run).
    template <class T> bool changeSetting(WriteResult (SettingsStore::*write)(T), T value) {
        const WriteResult r = (store_.*write)(value);
        settingsApplied();
        return checkWrite(r);
    }
    // Reports a failed settings write in a warning box; true when it succeeded.
    bool checkWrite(const WriteResult& r);

    TrigMode trigMode() const { return ws_.trigMode(); }
    void setTrigMode(TrigMode t);
    bool hintsEnabled() const { return hints_; }
    void setHintsEnabled(bool on);
    // Records the mode and writes it to "tallix.ini".
    void setMode(CalcMode m);

    // After a change of the graph window or the graph mode: the graph redraws.
    void graphWindowChanged() { emit graphChanged(); }

    ExpressionHistory& history() { return history_; }
    // Records evaluations in the history (off while a verification suite runs).
    void setRecordHistory(bool on) { recordHistory_ = on; }
    // Write the history and the function slots when they changed; a failed
    // write is reported in a warning box and leaves the old file.
    bool saveHistory();
    bool saveFuncs();

    // Writes the matrix catalog after a change; a failed write is reported
    // in a warning box and the change stays in memory.
    bool saveMats();

    // The data lists. Each change of the catalog is written at once (a failed
    // write is reported and the change stays in memory) and announced by
    // listsChanged.
    bool saveLists();
    // The folder new list files go in, as the catalog lines write it.
    std::string listFolder() const { return folder_.string(); }
    // Stores the items of list `name` (trimmed, non-empty) in its data file
    // and its catalog line, then writes the catalog; each failure is
    // reported in its message box. False when the list is gone or its items
    // could not be written.
    bool saveListItems(const std::string& name, const std::vector<std::string>& items);
    // Reads the items of catalog line `index` (none when its file is missing
    // or unreadable; the result tells which).
    ReadResult readList(int index, std::vector<std::string>& items) const;
    void listsEdited() { emit listsChanged(); }
    // The current local date-time number.
    static double now();

    // After the function slots were changed from outside the f(x) mode (a
    // copied fit): the function list and the graph redraw.
    void funcsEdited() {
        emit funcsChanged();
        emit graphChanged();
    }

    // Warns of each file that exists but could not be read at start; such a
    // file is never written over in this run.
    void reportLoadErrors();

    // The window that warning boxes belong to.
    void setWarningParent(QWidget* w) { warningParent_ = w; }
    QWidget* warningParent() const { return warningParent_; }

signals:
    void settingsChanged();
    void trigModeChanged(TrigMode t);
    void hintsChanged(bool on);
    void graphChanged();
    void listsChanged();
    void funcsChanged();

private:
    void settingsApplied();
    void warn(const QString& text);

    std::filesystem::path folder_;
    Workspace ws_;
    SettingsStore store_;
    ExpressionHistory history_;
    MatCatalogFile mats_;
    std::optional<std::string> matsWarning_; // the catalog could not be read at start
    ListCatalogFile listsFile_;
    std::optional<std::string> listsWarning_;
    bool recordHistory_ = true;
    bool hints_ = false;
    QWidget* warningParent_ = nullptr;
};

} // namespace tallix
