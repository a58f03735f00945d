#include "ui/shell/tallixMain.h"

#include "ui/dialogs/tallixAbout.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/dialogs/tallixVerf.h"
#include "ui/pages/CalcPage.h"
#include "ui/pages/FxPage.h"
#include "ui/pages/ListsPage.h"
#include "ui/pages/MatrixPage.h"
#include "ui/pages/RegrPage.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/PaintBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QProxyStyle>
#include <QScreen>
#include <QTimer>

namespace tallix {

using namespace layout;

namespace {

// Pop-up hints appear after 1000 ms.
class HintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 1000;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

} // namespace

TtallixMainForm::TtallixMainForm(const std::filesystem::path& dataFolder, QWidget* parent)
    : QWidget(parent) {
    setObjectName("TtallixMainForm");
    setWindowTitle(kMainCaption);
    setFixedSize(kClientWidth, kClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setFont(uiFont(10));
    if (qApp && !dynamic_cast<HintStyle*>(QApplication::style()))
        QApplication::setStyle(new HintStyle);

    state_ = new AppState(dataFolder, this);
    state_->setWarningParent(this);
    state_->reportLoadErrors();
    connect(state_, &AppState::settingsChanged, this, &TtallixMainForm::applyBackground);

    createControls();
    createMenus();
    options_ = new TtallixOptionsForm(*state_, this);
    about_ = new TtallixAboutForm(this);
    qApp->installEventFilter(this);

    applyBackground();
    ArrangeWindowComponentsPerMode();
    ColorModeLbls();

    // The cursor blinks first after 400 ms, then every 700 ms.
    cursorTimer_ = new QTimer(this);
    cursorTimer_->setObjectName("CursorTimer");
    connect(cursorTimer_, &QTimer::timeout, this, [this] {
        cursorTimer_->setInterval(700);
        CursorTimerTick();
    });
    cursorTimer_->start(400);

    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - QPoint(kClientWidth / 2, kClientHeight / 2));
    }
}

TtallixMainForm::~TtallixMainForm() {
    if (qApp) qApp->removeEventFilter(this);
}

Workspace& TtallixMainForm::workspace() {
    return state_->workspace();
}

CalcMode TtallixMainForm::mode() const {
    return state_->workspace().mode();
}

ExpDisplay* TtallixMainForm::expDisplay() const {
    return calcPage_->expDisplay();
}

GraphView* TtallixMainForm::graphView() const {
    return fxPage_->graphView();
}

TtallixHistoryForm* TtallixMainForm::historyForm() const {
    return calcPage_->historyForm();
}

TtallixVerfForm* TtallixMainForm::verfForm() const {
    return calcPage_->verfForm();
}

void TtallixMainForm::createControls() {
    calcPage_ = new CalcPage(*state_, this);
    fxPage_ = new FxPage(*state_, this);
    listsPage_ = new ListsPage(*state_, this);
    regrPage_ = new RegrPage(*state_, this);
    matrixPage_ = new MatrixPage(*state_, this);
    for (CalcMode m :
         {CalcMode::Calc, CalcMode::Fx, CalcMode::Lists, CalcMode::Regr, CalcMode::Matrix}) {
        ModePage* p = page(m);
        connect(p, &ModePage::keyDispatched, this, &TtallixMainForm::keyDispatched);
    }

    static const std::array<std::pair<const char*, const char*>, 5> modes = {{
        {"ModeCalcLbl", "Calc"},
        {"ModeFxLbl", "f(x)"},
        {"ModeListLbl", "Lists"},
        {"ModeRegrLbl", "Regr"},
        {"ModeMatrixLbl", "Matrix"},
    }};
    static const std::array<const char*, 5> modeHints = {
        "Click to select Alegbraic Calculator Mode",
        "Click to select Function/Graphing Calculator mode", "Click to enter Data List Manager",
        "Click to enter Regression Tool", "Click to select Matrix Algebra Calculator mode"};
    // The mode labels lie over the pages.
    int x = 8;
    for (int i = 0; i < 5; ++i) {
        auto* l = new ClickLabel(modes[i].first, modes[i].second, this);
        l->setFont(uiFont(12, true));
        l->adjustSize();
        l->move(x, kModeLblTop);
        l->setToolTip(modeHints[i]);
        l->setCursor(Qt::PointingHandCursor);
        x += l->width() + 14;
        modeLbls_[i] = l;
        connect(l, &ClickLabel::clicked, this, [this, i] { selectMode(static_cast<CalcMode>(i)); });
    }
    HelpLbl_ = new ClickLabel("HelpLbl", "Help", this);
    HelpLbl_->setFont(uiFont(12, true));
    HelpLbl_->adjustSize();
    HelpLbl_->move(kClientWidth - kMargin - HelpLbl_->width(), kModeLblTop);
    HelpLbl_->setToolTip("Click to display Web based help");
    HelpLbl_->setCursor(Qt::PointingHandCursor);
    setInk(HelpLbl_, kInactiveLbl);

    for (QWidget* w : findChildren<QWidget*>())
        w->setToolTipDuration(4000);
}

ModePage* TtallixMainForm::page(CalcMode m) const {
    switch (m) {
    case CalcMode::Calc:
        return calcPage_;
    case CalcMode::Fx:
        return fxPage_;
    case CalcMode::Lists:
        return listsPage_;
    case CalcMode::Regr:
        return regrPage_;
    case CalcMode::Matrix:
        return matrixPage_;
    }
    return calcPage_;
}

// Shows the page of the current mode with its controls in their places.
void TtallixMainForm::ArrangeWindowComponentsPerMode() {
    ModePage* current = page(mode());
    for (CalcMode m :
         {CalcMode::Calc, CalcMode::Fx, CalcMode::Lists, CalcMode::Regr, CalcMode::Matrix})
        if (page(m) != current) page(m)->hide();
    current->arrange();
    current->show();
    current->lower();
}

void TtallixMainForm::selectMode(CalcMode m) {
    if (m == mode()) {
        page(m)->chosenAgain();
        return;
    }
    page(mode())->left();
    state_->setMode(m);
    ColorModeLbls();
    ArrangeWindowComponentsPerMode();
    page(m)->chosenAgain();
}

void TtallixMainForm::ColorModeLbls() {
    for (int i = 0; i < 5; ++i)
        setInk(modeLbls_[i], i == static_cast<int>(mode()) ? kActiveLbl : kInactiveLbl);
}

void TtallixMainForm::applyBackground() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(state_->settings().bgcolor));
    setPalette(pal);
    for (ModePage* p : {static_cast<ModePage*>(calcPage_), static_cast<ModePage*>(fxPage_),
                        static_cast<ModePage*>(matrixPage_)})
        p->setPressedColor(state_->settings().hlcolor);
    update();
}

void TtallixMainForm::CursorTimerTick() {
    page(mode())->cursorTick();
}

void TtallixMainForm::keyPressEvent(QKeyEvent* event) {
    const CalcMode m = mode();
    if (event->key() == Qt::Key_Escape &&
        (m == CalcMode::Calc || m == CalcMode::Fx || m == CalcMode::Matrix)) {
        close();
        return;
    }
    if (!page(m)->keyPress(event)) QWidget::keyPressEvent(event);
}

bool TtallixMainForm::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip && !state_->hintsEnabled()) return true;
    return QWidget::event(e);
}

// Pop-up hints of this window's controls show only while hints are on.
bool TtallixMainForm::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip && !state_->hintsEnabled()) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w))) return true;
    }
    return QWidget::eventFilter(watched, e);
}

// Closing is never refused: the history and the function definitions are
// written when they changed, each reporting its own failure.
void TtallixMainForm::closeEvent(QCloseEvent* event) {
    // The verification window is a window of its own: it would keep the
    // program running. Closing it also stops a run.
    verfForm()->close();
    state_->saveHistory();
    state_->saveFuncs();
    QWidget::closeEvent(event);
}

} // namespace tallix
