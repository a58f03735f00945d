#include "ui/pages/RegrPage.h"

#include "ui/views/PaintBox.h"

#include <QComboBox>
#include <QListWidget>

namespace tallix {

using namespace layout;

RegrPage::RegrPage(AppState& state, QWidget* shell) : ModePage("RegrPage", state, shell) {
    regrPB_ = new PaintBox("regrPB", this);
    const std::array<const char*, 3> captions = {"X Data List", "Y Data List", "Regression Model"};
    for (int i = 0; i < 3; ++i) {
        regrCaptions_[i] = new QLabel(captions[i], this);
        regrCaptions_[i]->setFont(uiFont(10));
        regrCaptions_[i]->adjustSize();
    }
    XListCB_ = new QComboBox(this);
    XListCB_->setObjectName("XListCB");
    YListCB_ = new QComboBox(this);
    YListCB_->setObjectName("YListCB");
    RegrModelCB_ = new QComboBox(this);
    RegrModelCB_->setObjectName("RegrModelCB");
    RegrModelCB_->setEnabled(false);
    RegrLB_ = new QListWidget(this);
    RegrLB_->setObjectName("RegrLB");
    fillChoosers();
}

void RegrPage::fillChoosers() {
    for (QComboBox* cb : {XListCB_, YListCB_}) {
        cb->clear();
        cb->addItems({"Integer List 0..n", "Integer List 1..n"});
        cb->setCurrentIndex(0);
    }
}

void RegrPage::arrange() {
    const int captionTop = 250, chooserTop = captionTop + 14;
    regrPB_->setGeometry(kMargin, kBelowModeLbls, kWide, captionTop - 2 - kBelowModeLbls);
    const int third = (kWide - 8) / 3;
    const std::array<QComboBox*, 3> choosers = {XListCB_, YListCB_, RegrModelCB_};
    for (int i = 0; i < 3; ++i) {
        regrCaptions_[i]->move(kMargin + i * (third + 4), captionTop);
        choosers[i]->setGeometry(kMargin + i * (third + 4), chooserTop, third, 22);
    }
    const int listTop = chooserTop + 26;
    RegrLB_->setGeometry(kMargin, listTop, kWide, kClientHeight - 10 - listTop);
}

} // namespace tallix
