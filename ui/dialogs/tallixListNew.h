#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;

namespace tallix {

class ListCatalog;

// "New List Definition": the name of the new list and, optionally, the list
// whose items it starts with.
class TtallixListNewForm : public QDialog {
    Q_OBJECT
public:
    explicit TtallixListNewForm(QWidget* parent);

    struct Choice {
        std::string name;     // trimmed, not empty
        int sourceIndex = -1; // catalog index of the list to copy, or -1
    };
    // Fills the chooser from `catalog` and runs the dialog; nothing when it
    // was cancelled.
    std::optional<Choice> ask(const ListCatalog& catalog);

    void accept() override; // only with a name

private:
    QLineEdit* ListNameEB_;
    QComboBox* InitWithCB_;
};

// "Append Specified List": a list to append to the editor's current column.
class TtallixListAppendForm : public QDialog {
    Q_OBJECT
public:
    explicit TtallixListAppendForm(QWidget* parent);
    // The catalog index of the chosen list, or -1 when none was appended.
    // The list named `exclude` (ignoring case) is not offered.
    int choose(const ListCatalog& catalog, const std::string& exclude);

    void accept() override; // only with an entry chosen

private:
    QComboBox* ListsCB_;
};

} // namespace tallix
