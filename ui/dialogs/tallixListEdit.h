#pragma once

#include "engine/lists/ListEditGrid.h"

#include <QDialog>

#include <functional>

class QTableWidgetItem;

namespace tallix {

class AppState;
class GridTable;
class TtallixListAppendForm;

// "List Edit": the lists of a ListEditGrid side by side, one column each,
// with their names and "modified" marks above the items. Typing, Delete,
// Insert Item, Delete Item, Load from File, Copy from Clipboard and Append
// from another List change the grid; "Save Changes and Exit" closes with OK
// once every modified list holds only numbers, "(Exit Without Saving)" and
// Escape close with Cancel.
class TtallixListEditForm : public QDialog {
    Q_OBJECT
public:
    TtallixListEditForm(AppState& state, QWidget* parent);

    // Edits `grid` (kept by the caller) in the modal dialog; true when it
    // closed with OK. A new list's column is drawn a little wider.
    bool edit(ListEditGrid& grid, bool newList);
    // Shows `grid` in the dialog without running it (edit does this first).
    void load(ListEditGrid& grid, bool newList);

    // Asks for the file "Load from File" reads; an empty text cancels.
    using FileChooser = std::function<QString(QWidget* parent, const QString& folder)>;
    void setFileChooser(FileChooser f) { chooseFile_ = std::move(f); }
    TtallixListAppendForm* appendForm() const { return append_; }

    void accept() override; // the numeric check first

    void InsertLblClick();
    void DeleteItemLblClick();
    void LoadFromFileLblClick();
    void CopyFromClipboardLblClick();
    void AppendFromAnotherListLblClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refill();
    void cellEdited(QTableWidgetItem* item);
    int currentList() const;    // grid column of the current cell (0 when none)
    int currentItemRow() const; // grid row of the current cell, or -1 on the name rows
    void appendLines(const std::vector<std::string>& lines);

    AppState& state_;
    ListEditGrid* grid_ = nullptr;
    bool newList_ = false;
    bool filling_ = false;
    GridTable* dataSG_;
    TtallixListAppendForm* append_;
    FileChooser chooseFile_;
};

} // namespace tallix
