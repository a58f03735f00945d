#include "ui/dialogs/tallixTspin.h"

#include "engine/func/FuncSet.h"
#include "ui/shell/AppState.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tallix {

namespace {

constexpr int kWidth = 354, kHeight = 76;
constexpr int kMaxLblLeft = 250; // where the TMax text starts when it fits

struct ButtonSpec {
    TRangeButton button;
    const char* name;
    const char* text;
    QRect rect;
};

} // namespace

TtallixTspinForm::TtallixTspinForm(AppState& state, QWidget* main)
    : QWidget(main, Qt::Tool), state_(state) {
    setObjectName("TtallixTspinForm");
    setWindowTitle("T - Value Range");
    setFixedSize(kWidth, kHeight);

    auto* minCap = new QLabel("Cr Min T", this);
    minCap->setGeometry(6, 4, 56, 18);
    minLbl_ = new QLabel(this);
    minLbl_->setObjectName("TminLbl");
    minLbl_->move(64, 4);
    auto* maxCap = new QLabel("Cr Max T", this);
    maxCap->setGeometry(kMaxLblLeft - 58, 4, 56, 18);
    maxLbl_ = new QLabel(this);
    maxLbl_->setObjectName("TmaxLbl");
    maxLbl_->move(kMaxLblLeft, 4);
    for (QLabel* l : {minLbl_, maxLbl_})
        l->setStyleSheet("font-weight: bold");

    static const ButtonSpec kButtons[] = {
        {TRangeButton::MinFarLeft, "MinFarLeftBtn", "<<", {6, 26, 26, 22}},
        {TRangeButton::MinLeft, "MinLeftBtn", "<", {32, 26, 26, 22}},
        {TRangeButton::MinRight, "MinRightBtn", ">", {58, 26, 26, 22}},
        {TRangeButton::MinFarRight, "MinFarRightBtn", ">>", {84, 26, 26, 22}},
        {TRangeButton::ShiftLeft, "ShiftLeftBtn", "<", {151, 26, 26, 22}},
        {TRangeButton::ShiftRight, "ShiftRightBtn", ">", {177, 26, 26, 22}},
        {TRangeButton::MaxFarLeft, "MaxFarLeftBtn", "<<", {244, 26, 26, 22}},
        {TRangeButton::MaxLeft, "MaxLeftBtn", "<", {270, 26, 26, 22}},
        {TRangeButton::MaxRight, "MaxRightBtn", ">", {296, 26, 26, 22}},
        {TRangeButton::MaxFarRight, "MaxFarRightBtn", ">>", {322, 26, 26, 22}},
        {TRangeButton::ZoomIn, "ZoomInBtn", "Zoom In", {105, 50, 70, 22}},
        {TRangeButton::ZoomOut, "ZoomOutBtn", "Zoom Out", {179, 50, 70, 22}},
    };
    for (const ButtonSpec& b : kButtons) {
        auto* btn = new QPushButton(b.text, this);
        btn->setObjectName(b.name);
        btn->setGeometry(b.rect);
        btn->setFocusPolicy(Qt::NoFocus);
        const TRangeButton which = b.button;
        connect(btn, &QPushButton::clicked, this, [this, which] { press(which); });
    }
    auto caption = [this](const char* text, int x, int w) {
        auto* l = new QLabel(text, this);
        l->setGeometry(x, 50, w, 22);
        l->setAlignment(Qt::AlignCenter);
    };
    caption("min", 6, 104);
    caption("max", 244, 104);

    connect(&state_, &AppState::graphChanged, this, &TtallixTspinForm::refresh);
    refresh();
}

void TtallixTspinForm::refresh() {
    const GraphWindow& w = state_.workspace().graphWindow();
    minLbl_->setText(QString::fromStdString(tValueText(w.TMin)));
    maxLbl_->setText(QString::fromStdString(tValueText(w.TMax)));
    minLbl_->adjustSize();
    maxLbl_->adjustSize();
    // A long TMax text moves left to stay inside the window.
    maxLbl_->move(std::min(kMaxLblLeft, width() - 4 - maxLbl_->width()), maxLbl_->y());
}

void TtallixTspinForm::press(TRangeButton button) {
    GraphWindow& w = state_.workspace().graphWindow();
    const TRange r = pressTRangeButton(button, w.TMin, w.TMax);
    w.TMin = r.min;
    w.TMax = r.max;
    state_.workspace().funcs().InvalidateFuncCacheAll();
    state_.graphWindowChanged(); // refreshes this window too
    refresh();
    if (QWidget* main = parentWidget()) {
        main->activateWindow();
        main->setFocus();
    }
}

void TtallixTspinForm::placeBeside(QWidget* main) {
    const QRect m = main->frameGeometry();
    const int h = frameGeometry().height();
    move(m.left(), m.top() > h ? m.top() - h : m.bottom() + 1);
}

} // namespace tallix
