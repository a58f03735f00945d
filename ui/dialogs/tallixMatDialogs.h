#pragma once

#include "engine/matrix/MatCatalog.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace tallix {

class AppState;
class ClickLabel;

// A dialog whose pop-up hints show only while the main window's hints are on.
class HintedDialog : public QDialog {
    Q_OBJECT
public:
    HintedDialog(const AppState& state, QWidget* parent);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    const AppState& hintState_;
};

// "New Matrix Definition": the name, a matrix to start from and the size.
class TtallixMatNewForm : public HintedDialog {
    Q_OBJECT
public:
    TtallixMatNewForm(const AppState& state, const MatCatalog& catalog, QWidget* parent);
    // The request of an accepted dialog.
    MatCreateRequest request() const;
    // "Add New Matrix to Collection": closes with OK when a name is given and
    // both counts are chosen or a source entry is selected.
    void add();

    QLineEdit* nameEdit() const { return name_; }
    QListWidget* sourceList() const { return source_; }
    QComboBox* rowsBox() const { return rows_; }
    QComboBox* colsBox() const { return cols_; }

private:
    QLineEdit* name_;
    QListWidget* source_;
    QComboBox* rows_;
    QComboBox* cols_;
};

// A source entry of the new-matrix dialog: name + "       [" + rows + "x" +
// cols + "] " + elements, cut to 55 characters + "..." when longer.
QString matSourceEntry(const MatDef& d);

// "Save Mat Results As...": a name that is a letter followed by letters and
// digits; "Do Save" does nothing for another name.
class TtallixSaveMatAsForm : public HintedDialog {
    Q_OBJECT
public:
    TtallixSaveMatAsForm(const AppState& state, QWidget* parent);
    QString name() const;
    void doSave();
    QLineEdit* nameEdit() const { return name_; }

private:
    QLineEdit* name_;
};

// "MAT Options": the four matrix settings, each written as it changes, and
// the "Save Results Matrix As..." label, enabled when a result can be saved.
class TtallixMatOptionsForm : public HintedDialog {
    Q_OBJECT
public:
    TtallixMatOptionsForm(AppState& state, bool canSave, QWidget* parent);
    QCheckBox* box(int i) const { return boxes_[static_cast<std::size_t>(i)]; }
    ClickLabel* saveLabel() const { return save_; }

signals:
    void saveRequested();

private:
    std::array<QCheckBox*, 4> boxes_{};
    ClickLabel* save_;
};

} // namespace tallix
