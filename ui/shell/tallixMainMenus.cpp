// The right-click menus, the colour items, help and the options dialog of the
// main window.
#include "store/DataFolder.h"
#include "store/HelpFolder.h"
#include "ui/dialogs/tallixAbout.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/export/ImageExport.h"
#include "ui/pages/CalcPage.h"
#include "ui/pages/FxPage.h"
#include "ui/pages/MatrixPage.h"
#include "ui/pages/RegrPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/FuncList.h"
#include "ui/views/GraphView.h"
#include "ui/views/PaintBox.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

namespace tallix {

namespace {

// The first help page, in the help folder (store/HelpFolder.h).
constexpr const char* kHelpPage = "index.html";

// An entry whose command is not built yet: present, greyed.
void addLater(QMenu* menu, const char* text) {
    menu->addAction(text)->setEnabled(false);
}

// "Save Display as BitMap" and "Save Display as Jpeg": the page's display
// box, greyed while the page has none.
QList<ImageEntry> displayEntries(ModePage* page) {
    auto capture = [page] {
        QWidget* box = page->displayBox();
        return box ? capturePaintBox(*box) : QImage();
    };
    auto available = [page] { return page->displayBox() != nullptr; };
    return {{"Save Display as BitMap", ImageFormat::Bitmap, capture, false, available},
            {"Save Display as Jpeg", ImageFormat::Jpeg, capture, false, available}};
}

} // namespace

void TtallixMainForm::createMenus() {
    // The picture dialogs open in the data folder: the program's own folder
    // when files can be written there.
    exporter_ = new ImageExporter(this, state_->dataFolder());
    CalcPU_ = new QMenu(this);
    CalcPU_->setObjectName("CalcPU");
    FuncPU_ = new QMenu(this);
    FuncPU_->setObjectName("FuncPU");
    MatPU_ = new QMenu(this);
    MatPU_->setObjectName("MatPU");

    auto colourItems = [this](QMenu* m, const char* bgText) {
        connect(m->addAction("Set Button Clicked Color"), &QAction::triggered, this,
                [this] { pickColour(state_->settings().hlcolor, &SettingsStore::setHlColor); });
        connect(m->addAction("Set Cursor Color"), &QAction::triggered, this, [this] {
            pickColour(state_->settings().cursorcolor, &SettingsStore::setCursorColor);
        });
        connect(m->addAction(bgText), &QAction::triggered, this,
                [this] { pickColour(state_->settings().bgcolor, &SettingsStore::setBgColor); });
        connect(m->addAction("Set BG Color to Default"), &QAction::triggered, this,
                &TtallixMainForm::setBgColorToDefault);
    };

    connect(CalcPU_->addAction("Copy Selected"), &QAction::triggered, calcPage_,
            &CalcPage::copySelected);
    connect(CalcPU_->addAction("Cut Selected"), &QAction::triggered, calcPage_,
            &CalcPage::cutSelected);
    connect(CalcPU_->addAction("Paste Selected"), &QAction::triggered, calcPage_,
            &CalcPage::pasteSelected);
    connect(CalcPU_->addAction("Paste Previous Answer"), &QAction::triggered, calcPage_,
            &CalcPage::pastePreviousAnswer);
    CalcPU_->addSeparator();
    connect(CalcPU_->addAction("Show Expression History"), &QAction::triggered, calcPage_,
            &CalcPage::showHistory);
    CalcPU_->addSeparator();
    colourItems(CalcPU_, "Set Calculator  BG Color");
    CalcPU_->addSeparator();
    connect(CalcPU_->addAction("Calculator Options"), &QAction::triggered, this,
            &TtallixMainForm::showOptions);
    CalcPU_->addSeparator();
    addImageEntries(CalcPU_, *exporter_, displayEntries(calcPage_));
    addCalculatorImageEntries(CalcPU_, *exporter_, this, "Save Calculator Images a Jpeg");
    CalcPU_->addSeparator();
    connect(CalcPU_->addAction("Run Verification Suite"), &QAction::triggered, calcPage_,
            &CalcPage::runVerificationSuite);

    // The function editor takes Ctrl+C, Ctrl+X and Ctrl+V; these three entries
    // carry no action of their own.
    for (const char* t : {"Copy Selected", "Cut Selected", "Paste Selected"})
        addLater(FuncPU_, t);
    FuncPU_->addSeparator();
    colourItems(FuncPU_, "Set Calculator BG Color");
    FuncPU_->addSeparator();
    auto graph = [this] { return capturePaintBox(*fxPage_->graphView()); };
    auto graphFuncs = [this] {
        return captureGraphWithFunctions(*this, *fxPage_->graphView(), *fxPage_->funcList());
    };
    addImageEntries(
        FuncPU_, *exporter_,
        {{"Save Graph as BitMap", ImageFormat::Bitmap, graph, false, {}},
         {"Save Graph as Jpeg", ImageFormat::Jpeg, graph, false, {}},
         {"Save Graph + Functions as BitMap", ImageFormat::Bitmap, graphFuncs, false, {}},
         {"Save Graph + Functions as Jpeg", ImageFormat::Jpeg, graphFuncs, false, {}}});
    addCalculatorImageEntries(FuncPU_, *exporter_, this);

    colourItems(MatPU_, "Set Calculator BG Color");
    MatPU_->addSeparator();
    addImageEntries(MatPU_, *exporter_, displayEntries(matrixPage_));
    addCalculatorImageEntries(MatPU_, *exporter_, this);

    // The regression plot's menu: the two whole-window pictures go above its
    // separator and "Copy Results to Graphing Calculator".
    QMenu* regr = regrPage_->regrMenu();
    const QList<QAction*> regrOwn = regr->actions();
    addCalculatorImageEntries(regr, *exporter_, this);
    if (!regrOwn.isEmpty()) {
        for (QAction* a : regr->actions().mid(regrOwn.size())) {
            regr->removeAction(a);
            regr->insertAction(regrOwn.first(), a);
        }
    }

    connect(calcPage_, &ModePage::menuRequested, this, [this](QPoint at) { CalcPU_->popup(at); });
    connect(fxPage_, &ModePage::menuRequested, this, [this](QPoint at) { FuncPU_->popup(at); });
    connect(matrixPage_, &ModePage::menuRequested, this, [this](QPoint at) { MatPU_->popup(at); });

    HelpPU_ = new QMenu(this);
    HelpPU_->setObjectName("HelpPU");
    connect(HelpPU_->addAction("Using Calculator Tutorial"), &QAction::triggered, this,
            &TtallixMainForm::openHelpPage);
    connect(HelpPU_->addAction("About Calculator"), &QAction::triggered, this,
            [this] { about_->exec(); });
    connect(HelpLbl_, &ClickLabel::clicked, this,
            [this] { HelpPU_->popup(HelpLbl_->mapToGlobal(QPoint(0, HelpLbl_->height()))); });
}

void TtallixMainForm::pickColour(int current, WriteResult (SettingsStore::*write)(int)) {
    const QColor c = QColorDialog::getColor(winColor(current), this);
    if (!c.isValid()) return;
    state_->changeSetting(write, winValue(c));
}

void TtallixMainForm::setBgColorToDefault() {
    state_->changeSetting(&SettingsStore::setBgColor, kDefaultBgColor);
    repaint();
}

void TtallixMainForm::openHelpPage() {
    const std::filesystem::path program = DataFolder::programFolder();
    const std::filesystem::path folder = findHelpFolder(program);
    if (folder.empty()) {
        QStringList searched;
        for (const std::filesystem::path& f : helpFolderCandidates(program))
            searched << QString::fromStdString(f.string());
        QMessageBox::warning(this, "Graphing Abacorn",
                             QString("The help pages were not found. They were looked for in:\n%1")
                                 .arg(searched.join('\n')));
        return;
    }
    const QUrl page = QUrl::fromLocalFile(QString::fromStdString((folder / kHelpPage).string()));
    if (QDesktopServices::openUrl(page)) return;
    // The desktop services give no error number; 0 stands for "not started".
    QMessageBox::warning(
        this, "Graphing Abacorn",
        QString("Unable to invoke Default Browser (err=0 %1)").arg(page.toString()));
}

void TtallixMainForm::showOptions() {
    options_->loadValues();
    options_->exec();
}

} // namespace tallix
