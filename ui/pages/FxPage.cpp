#include "ui/pages/FxPage.h"

#include "engine/graph/GraphInteraction.h"
#include "ui/dialogs/ToolPlacement.h"
#include "ui/dialogs/tallixDefInt.h"
#include "ui/dialogs/tallixEval.h"
#include "ui/dialogs/tallixGrfOpts.h"
#include "ui/dialogs/tallixTspin.h"
#include "ui/dialogs/tallixXIMM.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/FuncList.h"
#include "ui/views/GraphView.h"
#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace tallix {

using namespace layout;

FxPage::FxPage(AppState& state, QWidget* shell) : ModePage("FxPage", state, shell) {
    chooseColour_ = [](const QColor& current, QWidget* parent) {
        return QColorDialog::getColor(current, parent);
    };
    graph_ = new GraphView(state_.workspace(), this);
    connect(&state_, &AppState::trigModeChanged, graph_, &PaintBox::markDirty);
    connect(&state_, &AppState::graphChanged, graph_, &PaintBox::markDirty);
    // Slots written from outside the mode (a copied fit): show the current one.
    connect(&state_, &AppState::funcsChanged, this, [this] {
        editor().setTopSlot(std::min(editor().current(), kFuncSlotCount - FuncEditor::kRows + 1));
        FuncPB_->resetScroll();
        listChanged();
    });
    connect(graph_, &GraphView::zoomRequested, this, [this](PixelRect box) {
        Workspace& ws = state_.workspace();
        zoomToBox(ws.graphWindow(), graph_->plotLayout(), graph_->sampler().scene().kind, box);
        graphChanged();
    });
    connect(graph_, &GraphView::hotZoneClicked, this, [this](int zone) {
        Workspace& ws = state_.workspace();
        applyHotZone(ws.graphWindow(), graph_->plotLayout(), graph_->sampler().scene().kind, zone);
        graphChanged();
    });
    opts_ = new TtallixGraphPBoptsForm(state_, shell);
    tspin_ = new TtallixTspinForm(state_, shell);
    connect(graph_, &GraphView::optionsRequested, this,
            [this] { opts_->edit(graph_->plotLayout(), graph_); });

    funcDefsLbl_ = new QLabel("Function Definitions", this);
    funcDefsLbl_->setObjectName("FuncDefsLbl");
    funcDefsLbl_->adjustSize();
    polarLbl_ = new ClickLabel("ToCartPolarLbl", ">>  polar", this);
    paramLbl_ = new ClickLabel("ToParamFxLbl", ">> param", this);
    for (ClickLabel* l : {polarLbl_, paramLbl_}) {
        l->setFont(uiFont(8));
        l->setCursor(Qt::PointingHandCursor);
        setInk(l, kInactiveLbl);
    }
    connect(polarLbl_, &ClickLabel::clicked, this, &FxPage::ToCartPolarLblClick);
    connect(paramLbl_, &ClickLabel::clicked, this, &FxPage::ToParamFxLblClick);

    FuncPB_ = new FuncList(state_.workspace(), this);
    connect(FuncPB_, &FuncList::slotChosen, this, [this] { syncScrollBar(); });
    connect(FuncPB_, &FuncList::menuRequested, this,
            [this](QPoint p) { emit menuRequested(FuncPB_->mapToGlobal(p) - QPoint(120, 0)); });
    connect(FuncPB_, &FuncList::shownToggled, this, [this](int n) {
        FuncSet& f = state_.workspace().funcs();
        f.setShown(n, !f.slot(n).Shown);
        listChanged();
        graphChanged();
    });
    connect(FuncPB_, &FuncList::colourRequested, this, [this](int n) {
        FuncSet& f = state_.workspace().funcs();
        const QColor c = chooseColour_(winColor(static_cast<int>(f.slot(n).Colour)), this);
        if (!c.isValid()) return;
        f.setColour(n, static_cast<ColourValue>(winValue(c)));
        listChanged();
        graphChanged();
    });
    FuncSB_ = new QScrollBar(Qt::Vertical, this);
    FuncSB_->setObjectName("FuncSB");
    FuncSB_->setRange(1, kFuncSlotCount - FuncEditor::kRows + 1);
    FuncSB_->setPageStep(FuncEditor::kRows);
    connect(FuncSB_, &QScrollBar::valueChanged, this, [this](int v) {
        if (v == editor().topSlot()) return;
        editor().setTopSlot(v);
        FuncPB_->resetScroll();
        listChanged();
    });

    const std::array<const char*, 6> analysis = {"Eval", "X-cross", "Min",
                                                 "Max",  "Isect",   "Def Int"};
    const std::array<const char*, 6> hints = {
        "Click to Evaluate current functions at specific x values",
        "Click to find function X-Crossings within selected region",
        "Click to find Minimum function values within the selected region",
        "Click to find function Maximum values within selected region",
        "Click to find all Intersections btwn all functions within selected region",
        "Click to evaluate the Definite Integral of a function"};
    const std::array<void (FxPage::*)(), 6> clicks = {
        &FxPage::EvalLblClick, &FxPage::XCrossLblClick, &FxPage::MinLblClick,
        &FxPage::MaxLblClick,  &FxPage::IsectLblClick,  &FxPage::DefIntLblClick};
    for (int i = 0; i < 6; ++i) {
        auto* l = new ClickLabel(QString("%1Lbl").arg(analysis[i]).remove(' ').remove('-'),
                                 analysis[i], this);
        l->setFont(uiFont(10));
        l->adjustSize();
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(hints[i]);
        setInk(l, kInactiveLbl);
        connect(l, &ClickLabel::clicked, this, clicks[i]);
        analysisLbls_[i] = l;
    }
    details_ = new TtallixXIMMform(state_.workspace().funcs(), shell);
    eval_ = new TtallixEvalForm(state_, graph_, shell);
    defInt_ = new TtallixDefIntForm(state_, graph_, shell);
    const std::array<std::pair<const char*, KeypadKind>, 3> pads = {
        {{"kb2Image", KeypadKind::FuncX},
         {"kb3Image", KeypadKind::FuncTheta},
         {"kb4Image", KeypadKind::FuncT}}};
    for (int i = 0; i < 3; ++i) {
        Keypad* pad = new Keypad(pads[i].first, pads[i].second, this);
        funcPads_[i] = pad;
        connect(pad, &Keypad::keyClicked, this, [this](int code) {
            ProcessFuncButtonClick(static_cast<TokenCode>(code));
            emit keyDispatched(static_cast<int>(CalcMode::Fx), code);
        });
        connect(pad, &Keypad::menuRequested, this, [this, pad](QPoint p) {
            emit menuRequested(pad->mapToGlobal(p) - QPoint(120, 0));
        });
    }
    keypads_.assign(funcPads_.begin(), funcPads_.end());

    Limage_ = new PaintBox("Limage", this);
    Rimage_ = new PaintBox("Rimage", this);
    Limage_->setNote("|<  <  ‹");
    Rimage_->setNote("›  >  >|");
    for (PaintBox* button : {Limage_, Rimage_})
        connect(button, &PaintBox::pressed, this, [this, button](Qt::MouseButton b, QPoint p) {
            if (b == Qt::LeftButton)
                FuncPB_->scrollButton(button == Rimage_, p.x(), button->width());
        });
    clearAllLbl_ = new ClickLabel("ClearAllLbl", "Clear All", this);
    clearAllLbl_->setCursor(Qt::PointingHandCursor);
    connect(clearAllLbl_, &ClickLabel::clicked, this, &FxPage::ClearAllLblClick);
    factPrimeLbl_ = factPrimeLabel(state_, this);
    for (QLabel* l : std::initializer_list<QLabel*>{clearAllLbl_, factPrimeLbl_}) {
        l->setFont(uiFont(9));
        l->adjustSize();
    }
    pendingCharsLbl_ = pendingLabel(this);
    trigLbls_ = new TrigModeLabels(state_, this);
    connect(&state_, &AppState::settingsChanged, this,
            [this] { FuncPB_->setCursorColour(state_.settings().cursorcolor); });
    FuncPB_->setCursorColour(state_.settings().cursorcolor);
    setModeLabels();
    syncScrollBar();
}

FuncEditor& FxPage::editor() {
    return state_.workspace().funcEditor();
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
    // The keypad of the graph mode: x, θ (polar) or t (both parametric modes).
    const FuncSet& f = state_.workspace().funcs();
    const int pad = f.ParamMode ? 2 : f.PolarMode ? 1 : 0;
    for (int i = 0; i < 3; ++i) {
        funcPads_[i]->setVisible(i == pad);
        funcPads_[i]->move((kClientWidth - kFuncKeypadWidth) / 2, kKeypadTop);
    }
    int x = 60;
    for (QLabel* l : analysisLbls_) {
        l->move(x, kClientHeight - 19);
        x += l->width() + 12;
    }
    trigLbls_->place(kMargin, kKeypadTop + 26);
    showTRange();
}

void FxPage::showTRange() {
    const bool param =
        state_.workspace().funcs().ParamMode && state_.workspace().mode() == CalcMode::Fx;
    if (param == tspin_->isVisible()) return;
    if (!param) {
        tspin_->hide();
        return;
    }
    tspin_->refresh();
    tspin_->show();
    tspin_->placeBeside(window());
    window()->activateWindow(); // the focus stays with the main window
}

void FxPage::setModeLabels() {
    const FuncSet& f = state_.workspace().funcs();
    polarLbl_->setText(f.PolarMode ? ">>  cart" : ">>  polar");
    polarLbl_->setToolTip(f.PolarMode ? "Click for Cartesian Coordinate graph mode"
                                      : "Click for Polar Coordinate graph mode");
    paramLbl_->setText(f.ParamMode ? ">>  f(x)" : ">>  param");
    paramLbl_->setToolTip(f.ParamMode ? "Click for y=f(x) mode"
                                      : "Click for Parametric equation mode");
    for (ClickLabel* l : {polarLbl_, paramLbl_})
        l->adjustSize();
}

void FxPage::ToCartPolarLblClick() {
    FuncSet& f = state_.workspace().funcs();
    f.PolarMode = !f.PolarMode;
    setModeLabels();
    arrange();
    listChanged();
    graphChanged();
    emit graphModeChanged();
}

void FxPage::ToParamFxLblClick() {
    FuncSet& f = state_.workspace().funcs();
    f.ParamMode = !f.ParamMode;
    setModeLabels();
    arrange();
    listChanged();
    graphChanged();
    emit graphModeChanged();
}

void FxPage::placeTool(QWidget* tool, QWidget* other) {
    if (tool->isVisible()) return;
    placeToolWindow(tool, window(), other);
    if (tspin_->isVisible()) tspin_->placeBeside(window());
}

void FxPage::runAnalysis(AnalysisTool tool) {
    const auto& region = graph_->selectedRegion();
    FuncSet& funcs = state_.workspace().funcs();
    if (!region || region->left < 0 || !(region->left < region->right)) return;
    if (!anySearchableSlot(funcs)) return;
    if (details_->firstShowing()) {
        placeTool(details_, eval_);
        details_->placed();
    }
    const PlotLayout& p = graph_->plotLayout();
    const GraphWindow& w = state_.workspace().graphWindow();
    AnalysisInput in;
    in.xa = regionX(p, region->left);
    in.xb = regionX(p, region->right);
    in.tMin = w.TMin;
    in.tMax = w.TMax;
    in.trig = state_.workspace().trigMode();
    details_->showReport(tool, analyze(funcs, tool, in));
    details_->show();
    window()->activateWindow(); // the focus stays with the main window
}

void FxPage::EvalLblClick() {
    if (eval_->firstShowing()) {
        placeTool(eval_, details_);
        eval_->placed();
    }
    eval_->AdjustFormParamVsFx();
    eval_->show();
    eval_->ComputeFuncVals();
    // Typing goes to the x value.
    eval_->activateWindow();
    eval_->xEdit()->setFocus();
    eval_->xEdit()->selectAll();
}

void FxPage::DefIntLblClick() {
    if (!anySearchableSlot(state_.workspace().funcs())) return;
    if (defInt_->firstShowing()) {
        placeTool(defInt_, eval_);
        defInt_->placed();
    }
    defInt_->InitPriSecFuncCBs();
    defInt_->show();
    defInt_->xmaxEdit()->setFocus();
    defInt_->TryEvalDefint();
    window()->activateWindow();
}

void FxPage::left() {
    keywords_.clear();
    pendingCharsLbl_->clear();
    tspin_->hide();
}

void FxPage::showPending() {
    pendingCharsLbl_->setText(QString::fromStdString(keywords_.pending()));
}

void FxPage::syncScrollBar() {
    const QSignalBlocker block(FuncSB_);
    FuncSB_->setValue(editor().topSlot());
}

void FxPage::listChanged() {
    syncScrollBar();
    FuncPB_->markDirty();
}

void FxPage::graphChanged() {
    state_.workspace().funcs().InvalidateFuncCacheAll();
    state_.graphWindowChanged();
}

void FxPage::showEffect(const FuncEditor::KeyEffect& e, bool inserted) {
    if (e.slotChanged || e.topChanged) FuncPB_->resetScroll();
    if (e.cleared) FuncPB_->resetScroll();
    if (e.changed && !e.cleared) {
        if (inserted)
            FuncPB_->keepCursorInSight();
        else
            FuncPB_->keepCursorAfterBack();
    }
    listChanged();
    if (e.graph) graph_->markDirty();
}

void FxPage::ProcessFuncButtonClick(TokenCode code) {
    const FuncEditor::KeyEffect e = editor().ProcessFuncButtonClick(code);
    showEffect(e, code != func::Backspace);
}

void FxPage::ClearAllLblClick() {
    editor().clearAll();
    FuncPB_->resetScroll();
    listChanged();
    graphChanged();
}

void FxPage::copySelected() {
    editor().copySelected();
}

void FxPage::cutSelected() {
    showEffect(editor().cutSelected(), false);
}

void FxPage::pasteSelected() {
    showEffect(editor().pasteSelected(), true);
}

void FxPage::cursorTick() {
    if (FuncPB_->isVisible()) FuncPB_->DrawFuncPBcrCursor();
}

bool FxPage::keyPress(QKeyEvent* event) {
    FuncEditor& ed = editor();
    if (event->modifiers() & Qt::ControlModifier) return clipboardKey(event);
    switch (event->key()) {
    case Qt::Key_Backspace:
        if (keywords_.backspace())
            showPending();
        else
            ProcessFuncButtonClick(func::Backspace);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ProcessFuncButtonClick(func::Enter);
        return true;
    case Qt::Key_PageUp:
        showEffect(ed.pageUp(), false);
        return true;
    case Qt::Key_PageDown:
        showEffect(ed.pageDown(), false);
        return true;
    case Qt::Key_Up:
        showEffect(ed.up(), false);
        return true;
    case Qt::Key_Down:
        showEffect(ed.down(), false);
        return true;
    case Qt::Key_Home:
        ed.home();
        FuncPB_->resetScroll();
        listChanged();
        return true;
    case Qt::Key_End:
        ed.end();
        FuncPB_->scrollForEnd();
        listChanged();
        return true;
    case Qt::Key_Left:
        ed.left();
        FuncPB_->afterLeft();
        listChanged();
        return true;
    case Qt::Key_Right:
        ed.right();
        FuncPB_->keepCursorInSight();
        listChanged();
        return true;
    case Qt::Key_Delete:
        showEffect(ed.deleteKey(), false);
        return true;
    default:
        break;
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
