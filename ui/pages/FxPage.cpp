#include "ui/pages/FxPage.h"

#include "ui/shell/AppState.h"
#include "ui/views/GraphView.h"
#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace tallix {

using namespace layout;

FxPage::FxPage(AppState& state, QWidget* shell) : ModePage("FxPage", state, shell) {
    graph_ = new GraphView(state_.workspace(), this);
    connect(&state_, &AppState::trigModeChanged, graph_, &PaintBox::markDirty);
    connect(&state_, &AppState::graphChanged, graph_, &PaintBox::markDirty);
    funcDefsLbl_ = new QLabel("Function Definitions", this);
    funcDefsLbl_->setObjectName("FuncDefsLbl");
    funcDefsLbl_->adjustSize();
    polarLbl_ = placeholderLabel("PolarLbl", ">>  polar", this);
    paramLbl_ = placeholderLabel("ParamLbl", ">> param", this);
    for (QLabel* l : {polarLbl_, paramLbl_}) {
        l->setFont(uiFont(8));
        l->adjustSize();
    }
    FuncPB_ = new PaintBox("FuncPB", this);
    FuncSB_ = new QScrollBar(Qt::Vertical, this);
    FuncSB_->setObjectName("FuncSB");
    FuncSB_->setEnabled(false);
    const std::array<const char*, 6> analysis = {"Eval", "X-cross", "Min",
                                                 "Max",  "Isect",   "Def Int"};
    for (int i = 0; i < 6; ++i)
        analysisLbls_[i] = placeholderLabel(
            QString("%1Lbl").arg(analysis[i]).remove(' ').remove('-'), analysis[i], this);
    const std::array<std::pair<const char*, KeypadKind>, 3> pads = {
        {{"kb2Image", KeypadKind::FuncX},
         {"kb3Image", KeypadKind::FuncTheta},
         {"kb4Image", KeypadKind::FuncT}}};
    for (int i = 0; i < 3; ++i) {
        Keypad* pad = new Keypad(pads[i].first, pads[i].second, this);
        funcPads_[i] = pad;
        connect(pad, &Keypad::keyClicked, this,
                [this](int code) { ProcessFuncButtonClick(static_cast<TokenCode>(code)); });
        connect(pad, &Keypad::menuRequested, this, [this, pad](QPoint p) {
            emit menuRequested(pad->mapToGlobal(p) - QPoint(120, 0));
        });
    }
    keypads_.assign(funcPads_.begin(), funcPads_.end());

    // The function list scrolls with these once it exists.
    Limage_ = new PaintBox("Limage", this);
    Rimage_ = new PaintBox("Rimage", this);
    Limage_->setNote("|<  <  ‹");
    Rimage_->setNote("›  >  >|");
    clearAllLbl_ = placeholderLabel("ClearAllLbl", "Clear All", this);
    factPrimeLbl_ = factPrimeLabel(state_, this);
    for (QLabel* l : {clearAllLbl_, factPrimeLbl_}) {
        l->setFont(uiFont(9));
        l->adjustSize();
    }
    pendingCharsLbl_ = pendingLabel(this);
    trigLbls_ = new TrigModeLabels(state_, this);
}

void FxPage::arrange() {
    const int graphHeight = 170;
    graph_->setGeometry(kMargin, kBelowModeLbls, kWide, graphHeight);
    const int defsTop = kBelowModeLbls + graphHeight + 2;
    funcDefsLbl_->move(kMargin, defsTop);
    polarLbl_->move(kMargin + kWide * 39 / 64, defsTop);
    paramLbl_->move(kMargin + kWide * 47 / 64, defsTop);
    const int listTop = defsTop + 16;
    const int sbWidth = 16;
    FuncPB_->setGeometry(kMargin, listTop, kWide - sbWidth, kKeypadTop - 2 - listTop);
    FuncSB_->setGeometry(kMargin + kWide - sbWidth, listTop, sbWidth, kKeypadTop - 2 - listTop);
    Limage_->setGeometry(kMargin, kKeypadTop, kSideWidth, 18);
    Rimage_->setGeometry(kRightCol, kKeypadTop, kSideWidth, 18);
    clearAllLbl_->move(kRightCol, kKeypadTop + 26);
    factPrimeLbl_->move(kRightCol, kKeypadTop + 46);
    // The keypad of the current graph kind: y = f(x) until the graph options exist.
    for (int i = 0; i < 3; ++i)
        funcPads_[i]->setVisible(i == 0);
    funcPads_[0]->move((kClientWidth - kFuncKeypadWidth) / 2, kKeypadTop);
    int x = 60;
    for (QLabel* l : analysisLbls_) {
        l->move(x, kClientHeight - 19);
        x += l->width() + 12;
    }
    trigLbls_->place(kMargin, kKeypadTop + 26);
}

void FxPage::left() {
    keywords_.clear();
    pendingCharsLbl_->clear();
}

void FxPage::showPending() {
    pendingCharsLbl_->setText(QString::fromStdString(keywords_.pending()));
}

// The function editor comes with the function list; until then the keys of
// the f(x) mode are announced and change nothing.
void FxPage::ProcessFuncButtonClick(TokenCode code) {
    emit keyDispatched(static_cast<int>(CalcMode::Fx), code);
}

bool FxPage::keyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) {
        if (keywords_.backspace())
            showPending();
        else
            ProcessFuncButtonClick(func::Backspace);
        return true;
    }
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint() || text[0].unicode() > 127) return false;
    const char c = static_cast<char>(text[0].unicode());
    if (const auto code = funcCodeForChar(c)) {
        ProcessFuncButtonClick(*code);
        return true;
    }
    const auto code = keywords_.feed(c, FuncKeywords);
    showPending();
    if (code) ProcessFuncButtonClick(*code);
    return true;
}

} // namespace tallix
