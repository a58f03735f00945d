#include "ui/pages/MatrixPage.h"

#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <QListWidget>

namespace tallix {

using namespace layout;

MatrixPage::MatrixPage(AppState& state, QWidget* shell) : ModePage("MatrixPage", state, shell) {
    MatsLB_ = new QListWidget(this);
    MatsLB_->setObjectName("MatsLB");
    const std::array<const char*, 3> matList = {"Create New Matrix", "Edit Selected",
                                                "Delete Selected"};
    for (int i = 0; i < 3; ++i)
        matListLbls_[i] = placeholderLabel(QString("MatListLbl%1").arg(i), matList[i], this);
    const std::array<const char*, 7> subModes = {"List", "Edit", "Algeb", "Inv",
                                                 "Rref", "Det",  "Trace"};
    for (int i = 0; i < 7; ++i) {
        matSubModeLbls_[i] =
            placeholderLabel(QString("Mat%1Lbl").arg(subModes[i]), subModes[i], this);
        matSubModeLbls_[i]->setFont(uiFont(12, true));
        matSubModeLbls_[i]->adjustSize();
    }
    matSubModeLbls_[0]->setEnabled(true);
    setInk(matSubModeLbls_[0], kActiveLbl);
    MatPB_ = new PaintBox("MatPB", this);
    MatPB_->hide(); // shown by the Edit, Algeb and result sub-modes
    kbImage_ = new Keypad("kbImage", KeypadKind::Calc, this);
    keypads_ = {kbImage_};
    connect(kbImage_, &Keypad::menuRequested, this,
            [this](QPoint p) { emit menuRequested(kbImage_->mapToGlobal(p) - QPoint(120, 0)); });
}

void MatrixPage::arrange() {
    int x = kMargin;
    for (QLabel* l : matSubModeLbls_) {
        l->move(x, kBelowModeLbls + 2);
        x += l->width() + (l == matSubModeLbls_[2] ? 30 : 10);
    }
    const int listTop = kBelowModeLbls + 22, buttonsTop = kKeypadTop - 20;
    MatsLB_->setGeometry(kMargin, listTop, kWide, buttonsTop - 4 - listTop);
    matListLbls_[0]->move(kMargin, buttonsTop);
    matListLbls_[1]->move(kClientWidth / 2 - matListLbls_[1]->width() / 2, buttonsTop);
    matListLbls_[2]->move(kClientWidth - kMargin - matListLbls_[2]->width(), buttonsTop);
    kbImage_->move((kClientWidth - kCalcKeypadWidth) / 2, kKeypadTop);
}

} // namespace tallix
