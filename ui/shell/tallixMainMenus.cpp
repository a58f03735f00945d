// The right-click menus, the colour items, help and the options dialog of the
// main window.
#include "ui/dialogs/tallixAbout.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/ExpDisplay.h"
#include "ui/views/Keypad.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

namespace tallix {

namespace {

constexpr const char* kHelpPage = "https://abacorn.example.org/tallix/tutorial.html";

// An entry whose command is not built yet: present, greyed.
void addLater(QMenu* menu, const char* text) {
    menu->addAction(text)->setEnabled(false);
}

// An image entry with its "To File" and "To Clipboard" items (greyed until
// picture export exists).
void addImageEntry(QMenu* menu, const char* text) {
    QMenu* sub = menu->addMenu(text);
    sub->addAction("To File");
    sub->addAction("To Clipboard");
    sub->menuAction()->setEnabled(false);
}

} // namespace

void TtallixMainForm::createMenus() {
    CalcPU_ = new QMenu(this);
    CalcPU_->setObjectName("CalcPU");
    FuncPU_ = new QMenu(this);
    FuncPU_->setObjectName("FuncPU");
    MatPU_ = new QMenu(this);
    MatPU_->setObjectName("MatPU");

    auto colourItems = [this](QMenu* m, const char* bgText) {
        connect(m->addAction("Set Button Clicked Color"), &QAction::triggered, this,
                [this] { pickColour(store_.values().hlcolor, &SettingsStore::setHlColor); });
        connect(m->addAction("Set Cursor Color"), &QAction::triggered, this, [this] {
            pickColour(store_.values().cursorcolor, &SettingsStore::setCursorColor);
        });
        connect(m->addAction(bgText), &QAction::triggered, this,
                [this] { pickColour(store_.values().bgcolor, &SettingsStore::setBgColor); });
        connect(m->addAction("Set BG Color to Default"), &QAction::triggered, this,
                &TtallixMainForm::setBgColorToDefault);
    };

    connect(CalcPU_->addAction("Copy Selected"), &QAction::triggered, this,
            &TtallixMainForm::copySelected);
    connect(CalcPU_->addAction("Cut Selected"), &QAction::triggered, this,
            &TtallixMainForm::cutSelected);
    connect(CalcPU_->addAction("Paste Selected"), &QAction::triggered, this,
            &TtallixMainForm::pasteSelected);
    connect(CalcPU_->addAction("Paste Previous Answer"), &QAction::triggered, this,
            &TtallixMainForm::pastePreviousAnswer);
    CalcPU_->addSeparator();
    connect(CalcPU_->addAction("Show Expression History"), &QAction::triggered, this,
            &TtallixMainForm::showHistory);
    CalcPU_->addSeparator();
    colourItems(CalcPU_, "Set Calculator  BG Color");
    CalcPU_->addSeparator();
    connect(CalcPU_->addAction("Calculator Options"), &QAction::triggered, this,
            &TtallixMainForm::showOptions);
    CalcPU_->addSeparator();
    for (const char* t : {"Save Display as BitMap", "Save Display as Jpeg",
                          "Save Calculator Image as BitMap", "Save Calculator Images a Jpeg"})
        addImageEntry(CalcPU_, t);
    CalcPU_->addSeparator();
    connect(CalcPU_->addAction("Run Verification Suite"), &QAction::triggered, this,
            &TtallixMainForm::runVerificationSuite);

    // The function editor takes Ctrl+C, Ctrl+X and Ctrl+V; these three entries
    // carry no action of their own.
    for (const char* t : {"Copy Selected", "Cut Selected", "Paste Selected"})
        addLater(FuncPU_, t);
    FuncPU_->addSeparator();
    colourItems(FuncPU_, "Set Calculator BG Color");
    FuncPU_->addSeparator();
    for (const char* t : {"Save Graph as BitMap", "Save Graph as Jpeg",
                          "Save Graph + Functions as BitMap", "Save Graph + Functions as Jpeg",
                          "Save Calculator Image as BitMap", "Save Calculator Image as Jpeg"})
        addImageEntry(FuncPU_, t);

    colourItems(MatPU_, "Set Calculator BG Color");
    MatPU_->addSeparator();
    for (const char* t : {"Save Display as BitMap", "Save Display as Jpeg",
                          "Save Calculator Image as BitMap", "Save Calculator Image as Jpeg"})
        addImageEntry(MatPU_, t);

    HelpPU_ = new QMenu(this);
    HelpPU_->setObjectName("HelpPU");
    connect(HelpPU_->addAction("Using Calculator Tutorial"), &QAction::triggered, this,
            &TtallixMainForm::openHelpPage);
    connect(HelpPU_->addAction("About Calculator"), &QAction::triggered, this,
            [this] { about_->exec(); });
    connect(HelpLbl_, &ClickLabel::clicked, this,
            [this] { HelpPU_->popup(HelpLbl_->mapToGlobal(QPoint(0, HelpLbl_->height()))); });
}

void TtallixMainForm::keypadMenu(Keypad* pad, QPoint pos) {
    QMenu* menu = nullptr;
    switch (mode_) {
    case CalcMode::Calc:
    case CalcMode::Regr:
        menu = CalcPU_;
        break;
    case CalcMode::Fx:
        menu = FuncPU_;
        break;
    case CalcMode::Matrix:
        menu = MatPU_;
        break;
    case CalcMode::Lists:
        return;
    }
    menu->popup(pad->mapToGlobal(pos) - QPoint(120, 0));
}

void TtallixMainForm::pickColour(int current, WriteResult (SettingsStore::*write)(int)) {
    const QColor c = QColorDialog::getColor(winColor(current), this);
    if (!c.isValid()) return;
    const WriteResult r = (store_.*write)(winValue(c));
    applyBackground();
    settingsChanged();
    checkWrite(r);
}

void TtallixMainForm::setBgColorToDefault() {
    const WriteResult r = store_.setBgColor(kDefaultBgColor);
    applyBackground();
    repaint();
    checkWrite(r);
}

void TtallixMainForm::openHelpPage() {
    if (QDesktopServices::openUrl(QUrl(kHelpPage))) return;
    // The desktop services give no error number; 0 stands for "not started".
    QMessageBox::warning(this, "Graphing Abacorn",
                         QString("Unable to invoke Default Browser (err=0 %1)").arg(kHelpPage));
}

void TtallixMainForm::showOptions() {
    options_->loadValues();
    options_->exec();
    settingsChanged();
}

} // namespace tallix
