#include "ui/dialogs/tallixOpts.h"

#include "ui/shell/AppState.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace tallix {

UpDown::UpDown(const QString& name, int lo, int hi, int increment, QWidget* parent)
    : QWidget(parent), lo_(lo), hi_(hi), increment_(increment), pos_(lo) {
    setObjectName(name);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    up_->setGeometry(0, 0, 16, 11);
    down_->setGeometry(0, 11, 16, 11);
    setFixedSize(16, 22);
    connect(up_, &QToolButton::clicked, this, [this] { step(increment_); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-increment_); });
}

void UpDown::setPosition(int v) {
    pos_ = std::clamp(v, lo_, hi_);
}

void UpDown::step(int delta) {
    const int next = std::clamp(pos_ + delta, lo_, hi_);
    if (next == pos_) return;
    pos_ = next;
    emit changed(pos_);
}

TtallixOptionsForm::TtallixOptionsForm(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("TtallixOptionsForm");
    setWindowTitle("Options");
    setModal(true);
    setFixedSize(270, 210);

    auto* group = new QGroupBox("Output Formatting", this);
    group->setGeometry(8, 6, 254, 166);

    auto upDownRow = [group](int y, const char* caption, UpDown* ud, QLabel*& valueLbl) {
        auto* cap = new QLabel(caption, group);
        cap->setGeometry(10, y + 3, 150, 16);
        valueLbl = new QLabel(group);
        valueLbl->setGeometry(164, y + 3, 36, 16);
        valueLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ud->setParent(group);
        ud->move(206, y);
    };
    // The forward (up) arrow of the tolerance moves toward -10.
    fracErrUD_ = new UpDown("FracErrUD", -10, -4, -1, group);
    fracErrLbl_ = nullptr;
    upDownRow(22, "Frac Output Max Error", fracErrUD_, fracErrLbl_);
    fracErrLbl_->setObjectName("FracErrLbl");
    roundUD_ = new UpDown("RoundUD", -1, 20, 1, group);
    upDownRow(48, "Round to n Digits", roundUD_, roundLbl_);
    roundLbl_->setObjectName("RoundLbl");

    auto check = [group](const char* name, const char* text, int y) {
        auto* cb = new QCheckBox(text, group);
        cb->setObjectName(name);
        cb->setGeometry(10, y, 240, 20);
        return cb;
    };
    piCB_ = check("PiCB", "Allow frac reduction to pi multiples", 76);
    floatCB_ = check("FloatCB", "Floating vs Scientific decimal format", 98);
    scrollCB_ = check("ScrollCB", "Auto scroll completed expressions", 120);
    parensCB_ = check("ParensCB", "Color encode parenthetic depth", 142);
    hintsCB_ = new QCheckBox("Show PopUp Hints", this);
    hintsCB_->setObjectName("HintsCB");
    hintsCB_->setGeometry(16, 180, 240, 20);

    connect(fracErrUD_, &UpDown::changed, this, [this](int v) {
        state_.changeSetting(&SettingsStore::setFracOutErrDig, v);
        showValues();
    });
    connect(roundUD_, &UpDown::changed, this, [this](int v) {
        state_.changeSetting(&SettingsStore::setRoundN, v);
        showValues();
    });
    auto onToggle = [this](QCheckBox* cb, WriteResult (SettingsStore::*write)(bool)) {
        connect(cb, &QCheckBox::toggled, this, [this, write](bool on) {
            if (!loading_) state_.changeSetting(write, on);
        });
    };
    onToggle(piCB_, &SettingsStore::setExpPiReduction);
    onToggle(floatCB_, &SettingsStore::setFloatVsSci);
    onToggle(scrollCB_, &SettingsStore::setAutoScroll);
    onToggle(parensCB_, &SettingsStore::setColorParens);
    connect(hintsCB_, &QCheckBox::toggled, &state_, &AppState::setHintsEnabled);
}

void TtallixOptionsForm::loadValues() {
    loading_ = true;
    const Settings& v = state_.settings();
    fracErrUD_->setPosition(v.fracouterrdig);
    roundUD_->setPosition(v.roundn);
    piCB_->setChecked(v.exppireduction);
    floatCB_->setChecked(v.floatvssci);
    scrollCB_->setChecked(v.autoscroll);
    parensCB_->setChecked(v.colorparens);
    hintsCB_->setChecked(state_.hintsEnabled());
    showValues();
    loading_ = false;
}

void TtallixOptionsForm::showValues() {
    const Settings& v = state_.settings();
    fracErrLbl_->setText(QString::number(v.fracouterrdig));
    roundLbl_->setText(v.roundn == -1 ? QString("full") : QString::number(v.roundn));
}

} // namespace tallix
