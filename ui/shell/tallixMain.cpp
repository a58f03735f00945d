#include "ui/shell/tallixMain.h"

#include "engine/func/FuncSet.h"
#include "store/DataFolder.h"
#include "ui/dialogs/tallixAbout.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/ExpDisplay.h"
#include "ui/views/GraphView.h"
#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <cstdlib>

namespace tallix {

namespace {

constexpr int kClientWidth = 354, kClientHeight = 470;
constexpr int kMargin = 5; // left and right margin of the wide controls
constexpr int kModeLblTop = 4, kModeLblHeight = 16;
constexpr int kBelowModeLbls = kModeLblTop + kModeLblHeight + 2;
constexpr int kKeypadTop = 300; // both keypads; bottom edge at 447 / 448
constexpr int kSideWidth = 48;  // Limage, Rimage and the columns below them

const QColor kActiveLbl = winColor(0x0000FF);   // red
const QColor kInactiveLbl = winColor(0x800000); // navy

// Pop-up hints appear after 1000 ms.
class HintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 1000;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

QFont uiFont(int pixelSize, bool bold = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

void setInk(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

// A label whose action belongs to a part of the program not built yet: shown
// in its place, greyed, doing nothing.
QLabel* placeholderLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(uiFont(10));
    l->adjustSize();
    l->setEnabled(false);
    return l;
}

} // namespace

TtallixMainForm::TtallixMainForm(const std::filesystem::path& dataFolder, QWidget* parent)
    : QWidget(parent),
      dataFolder_(!dataFolder.empty()
                      ? dataFolder
                      : DataFolder::choose(DataFolder::programFolder(),
                                           std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))),
      store_(dataFolder_ / SettingsStore::kFileName) {
    setObjectName("TtallixMainForm");
    setWindowTitle(kMainCaption);
    setFixedSize(kClientWidth, kClientHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setFont(uiFont(10));
    if (qApp && !dynamic_cast<HintStyle*>(QApplication::style()))
        QApplication::setStyle(new HintStyle);

    store_.load();
    loadFuncs();
    mode_ = static_cast<CalcMode>(store_.values().calcmode);

    createControls();
    createMenus();
    settingsChanged();
    options_ = new TtallixOptionsForm(*this);
    about_ = new TtallixAboutForm(this);
    createHistory();
    qApp->installEventFilter(this);

    applyBackground();
    ArrangeWindowComponentsPerMode();
    ColorModeLbls();
    setTrigLabel();
    setDisplayModeLabel();
    fillRegrChoosers();

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

void TtallixMainForm::createControls() {
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

    expPB_ = new ExpDisplay(calc_, this);
    connect(expPB_, &ExpDisplay::menuRequested, this,
            [this](QPoint p) { CalcPU_->popup(expPB_->mapToGlobal(p) - QPoint(120, 0)); });
    kbImage_ = new Keypad("kbImage", KeypadKind::Calc, this);
    Limage_ = new PaintBox("Limage", this);
    Rimage_ = new PaintBox("Rimage", this);
    Limage_->setNote("|<  <  ‹");
    Rimage_->setNote("›  >  >|");
    clearAllLbl_ = new ClickLabel("ClearAllLbl", "Clear All", this);
    connect(clearAllLbl_, &ClickLabel::clicked, this, &TtallixMainForm::ClearAllLblClick);
    connect(Limage_, &PaintBox::pressed, this, [this](Qt::MouseButton b, QPoint p) {
        if (b == Qt::LeftButton) scrollButtonPressed(false, p);
    });
    connect(Rimage_, &PaintBox::pressed, this, [this](Qt::MouseButton b, QPoint p) {
        if (b == Qt::LeftButton) scrollButtonPressed(true, p);
    });
    factPrimeLbl_ = placeholderLabel("FactPrimeLbl", "FactPrime", this);
    recycleAnsLbl_ = new ClickLabel("RecycleAnsLbl", "Recycle Ans", this);
    recycleAnsLbl_->setToolTip("Click to Recycle previous answer as beginning of new expression");
    connect(recycleAnsLbl_, &ClickLabel::clicked, this, &TtallixMainForm::RecycleAnsLblClick);
    for (ClickLabel* l : {clearAllLbl_, recycleAnsLbl_})
        l->setCursor(Qt::PointingHandCursor);
    pendingCharsLbl_ = new QLabel(this);
    pendingCharsLbl_->setObjectName("pendingCharsLbl");
    pendingCharsLbl_->setFont(uiFont(11, true));
    pendingCharsLbl_->setGeometry(kMargin, kClientHeight - 18, 50, 14);
    dsplyCaptionLbl_ = new QLabel("DsplyMode :", this);
    DsplyModeLbl_ = new ClickLabel("DsplyModeLbl", "Dec", this);
    trigCaptionLbl_ = new QLabel("Trig Mode :", this);
    TrigModeLbl_ = new ClickLabel("TrigModeLbl", "radians", this);
    for (ClickLabel* l : {DsplyModeLbl_, TrigModeLbl_}) {
        l->setFont(uiFont(10, true));
        l->setCursor(Qt::PointingHandCursor);
        setInk(l, kActiveLbl);
    }
    connect(TrigModeLbl_, &ClickLabel::clicked, this, [this] {
        degrees_ = !degrees_;
        calc_.trigMode = degrees_ ? TrigMode::Degrees : TrigMode::Radians;
        setTrigLabel();
        expPB_->markDirty();
        graph_->setTrigMode(degrees_ ? TrigMode::Degrees : TrigMode::Radians);
    });
    connect(DsplyModeLbl_, &ClickLabel::clicked, this,
            [this] { calcKey(fractionDisplay() ? calc::DecMode : calc::FracMode); });
    connect(kbImage_, &Keypad::keyClicked, this, [this](int code) {
        dispatchKey(mode_ == CalcMode::Matrix ? CalcMode::Matrix : CalcMode::Calc,
                    static_cast<TokenCode>(code));
    });
    connect(kbImage_, &Keypad::menuRequested, this, [this](QPoint p) { keypadMenu(kbImage_, p); });

    GraphPB_ = graph_ = new GraphView(*funcs_, graphWindow_, this);
    funcDefsLbl_ = new QLabel("Function Definitions", this);
    funcDefsLbl_->setObjectName("FuncDefsLbl");
    polarLbl_ = placeholderLabel("PolarLbl", ">>  polar", this);
    paramLbl_ = placeholderLabel("ParamLbl", ">> param", this);
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
                [this](int code) { dispatchKey(CalcMode::Fx, static_cast<TokenCode>(code)); });
        connect(pad, &Keypad::menuRequested, this, [this, pad](QPoint p) { keypadMenu(pad, p); });
    }

    newListLbl_ = placeholderLabel("NewListLbl", "Create New List", this);
    editListLbl_ = placeholderLabel("EditListLbl", "View/Edit List(s)", this);
    deleteListLbl_ = placeholderLabel("DeleteListLbl", "Delete Selected", this);
    ListsLB_ = new QListWidget(this);
    ListsLB_->setObjectName("ListsLB");

    regrPB_ = new PaintBox("regrPB", this);
    const std::array<const char*, 3> regrCaptions = {"X Data List", "Y Data List",
                                                     "Regression Model"};
    for (int i = 0; i < 3; ++i) {
        regrCaptions_[i] = new QLabel(regrCaptions[i], this);
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
    // The program starts in the List sub-mode.
    matSubModeLbls_[0]->setEnabled(true);
    setInk(matSubModeLbls_[0], kActiveLbl);
    MatPB_ = new PaintBox("MatPB", this);

    // The narrow columns beside the keypads take the small font.
    for (QLabel* l : std::initializer_list<QLabel*>{clearAllLbl_, factPrimeLbl_, recycleAnsLbl_})
        l->setFont(uiFont(9));
    for (QLabel* l : {dsplyCaptionLbl_, trigCaptionLbl_, polarLbl_, paramLbl_})
        l->setFont(uiFont(8));
    for (QWidget* w : findChildren<QWidget*>())
        w->setToolTipDuration(4000);
    for (QLabel* l : findChildren<QLabel*>())
        l->adjustSize();
    pendingCharsLbl_->setGeometry(kMargin, kClientHeight - 18, 50, 14);
}

// Shows the controls of the current mode in their places and hides all others.
void TtallixMainForm::ArrangeWindowComponentsPerMode() {
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!w->isWindow()) w->hide();
    for (ClickLabel* l : modeLbls_)
        l->show();
    HelpLbl_->show();

    const int wide = kClientWidth - 2 * kMargin;
    const int rightCol = kClientWidth - kMargin - kSideWidth;
    auto place = [](QWidget* w, int x, int y) {
        w->move(x, y);
        w->show();
    };
    auto sides = [&] {
        Limage_->setGeometry(kMargin, kKeypadTop, kSideWidth, 18);
        Rimage_->setGeometry(rightCol, kKeypadTop, kSideWidth, 18);
        Limage_->show();
        Rimage_->show();
        place(clearAllLbl_, rightCol, kKeypadTop + 26);
        place(factPrimeLbl_, rightCol, kKeypadTop + 46);
    };
    auto trigLabels = [&](int y) {
        place(trigCaptionLbl_, kMargin, y);
        place(TrigModeLbl_, kMargin, y + 14);
    };

    switch (mode_) {
    case CalcMode::Calc:
        expPB_->setGeometry(kMargin, kBelowModeLbls, wide, kKeypadTop - 2 - kBelowModeLbls);
        expPB_->show();
        sides();
        place(kbImage_, (kClientWidth - kCalcKeypadWidth) / 2, kKeypadTop);
        place(recycleAnsLbl_, kClientWidth - kMargin - recycleAnsLbl_->width(), kClientHeight - 18);
        place(dsplyCaptionLbl_, kMargin, kKeypadTop + 26);
        place(DsplyModeLbl_, kMargin, kKeypadTop + 40);
        trigLabels(kKeypadTop + 62);
        pendingCharsLbl_->show();
        break;
    case CalcMode::Fx: {
        const int graphHeight = 170;
        GraphPB_->setGeometry(kMargin, kBelowModeLbls, wide, graphHeight);
        GraphPB_->show();
        const int defsTop = kBelowModeLbls + graphHeight + 2;
        place(funcDefsLbl_, kMargin, defsTop);
        place(polarLbl_, kMargin + wide * 39 / 64, defsTop);
        place(paramLbl_, kMargin + wide * 47 / 64, defsTop);
        const int listTop = defsTop + 16;
        const int sbWidth = 16;
        FuncPB_->setGeometry(kMargin, listTop, wide - sbWidth, kKeypadTop - 2 - listTop);
        FuncPB_->show();
        FuncSB_->setGeometry(kMargin + wide - sbWidth, listTop, sbWidth, kKeypadTop - 2 - listTop);
        FuncSB_->show();
        sides();
        // The keypad of the current graph kind: y = f(x) until the graph options exist.
        place(funcPads_[0], (kClientWidth - kFuncKeypadWidth) / 2, kKeypadTop);
        int x = 60;
        for (QLabel* l : analysisLbls_) {
            place(l, x, kClientHeight - 19);
            x += l->width() + 12;
        }
        trigLabels(kKeypadTop + 26);
        pendingCharsLbl_->show();
        break;
    }
    case CalcMode::Lists:
        place(newListLbl_, kMargin, kBelowModeLbls + 2);
        place(editListLbl_, kMargin + newListLbl_->width() + 16, kBelowModeLbls + 2);
        place(deleteListLbl_, kClientWidth - kMargin - deleteListLbl_->width(), kBelowModeLbls + 2);
        ListsLB_->setGeometry(kMargin, kBelowModeLbls + 20, wide,
                              kKeypadTop + kCalcKeypadHeight - 8 - (kBelowModeLbls + 20));
        ListsLB_->show();
        break;
    case CalcMode::Regr: {
        const int captionTop = 250, chooserTop = captionTop + 14;
        regrPB_->setGeometry(kMargin, kBelowModeLbls, wide, captionTop - 2 - kBelowModeLbls);
        regrPB_->show();
        const int third = (wide - 8) / 3;
        std::array<QComboBox*, 3> choosers = {XListCB_, YListCB_, RegrModelCB_};
        for (int i = 0; i < 3; ++i) {
            place(regrCaptions_[i], kMargin + i * (third + 4), captionTop);
            choosers[i]->setGeometry(kMargin + i * (third + 4), chooserTop, third, 22);
            choosers[i]->show();
        }
        const int listTop = chooserTop + 26;
        RegrLB_->setGeometry(kMargin, listTop, wide, kClientHeight - 10 - listTop);
        RegrLB_->show();
        break;
    }
    case CalcMode::Matrix: {
        int x = kMargin;
        for (QLabel* l : matSubModeLbls_) {
            place(l, x, kBelowModeLbls + 2);
            x += l->width() + (l == matSubModeLbls_[2] ? 30 : 10);
        }
        const int listTop = kBelowModeLbls + 22, buttonsTop = kKeypadTop - 20;
        MatsLB_->setGeometry(kMargin, listTop, wide, buttonsTop - 4 - listTop);
        MatsLB_->show();
        place(matListLbls_[0], kMargin, buttonsTop);
        place(matListLbls_[1], kClientWidth / 2 - matListLbls_[1]->width() / 2, buttonsTop);
        place(matListLbls_[2], kClientWidth - kMargin - matListLbls_[2]->width(), buttonsTop);
        place(kbImage_, (kClientWidth - kCalcKeypadWidth) / 2, kKeypadTop);
        break;
    }
    }
}

void TtallixMainForm::selectMode(CalcMode m) {
    if (m == mode_) {
        if (m == CalcMode::Regr) fillRegrChoosers();
        return;
    }
    mode_ = m;
    keywords_.clear();
    calc_.clearPendingKeyword();
    pendingCharsLbl_->clear();
    ColorModeLbls();
    checkWrite(store_.setCalcMode(static_cast<int>(m)));
    ArrangeWindowComponentsPerMode();
    if (m == CalcMode::Regr) fillRegrChoosers();
    // The Lists list box is filled from the list catalog once it exists.
}

void TtallixMainForm::ColorModeLbls() {
    for (int i = 0; i < 5; ++i)
        setInk(modeLbls_[i], i == static_cast<int>(mode_) ? kActiveLbl : kInactiveLbl);
}

void TtallixMainForm::fillRegrChoosers() {
    for (QComboBox* cb : {XListCB_, YListCB_}) {
        cb->clear();
        cb->addItems({"Integer List 0..n", "Integer List 1..n"});
        cb->setCurrentIndex(0);
    }
}

void TtallixMainForm::applyBackground() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(store_.values().bgcolor));
    setPalette(pal);
    for (Keypad* k : {kbImage_, funcPads_[0], funcPads_[1], funcPads_[2]})
        k->setPressedColor(store_.values().hlcolor);
    update();
}

void TtallixMainForm::setTrigLabel() {
    TrigModeLbl_->setText(degrees_ ? "degrees" : "radians");
    TrigModeLbl_->setToolTip(degrees_ ? "Click for Radian Trig functions"
                                      : "Click for Degree Trig functions");
    TrigModeLbl_->adjustSize();
}

void TtallixMainForm::setDisplayModeLabel() {
    DsplyModeLbl_->setText(fractionDisplay() ? "Frac" : "Dec");
    DsplyModeLbl_->setToolTip(fractionDisplay()
                                  ? "Click to disable Fractional/Rational display of results"
                                  : "Click to enable Fractional/Rational display of results");
    DsplyModeLbl_->adjustSize();
}

void TtallixMainForm::setHintsEnabled(bool on) {
    hints_ = on;
}

bool TtallixMainForm::checkWrite(const WriteResult& r) {
    if (r.ok) return true;
    QMessageBox::warning(
        this, "Graphing Abacorn",
        QString("Unable to save settings.\n%1").arg(QString::fromStdString(r.error)));
    return false;
}

void TtallixMainForm::dispatchKey(CalcMode keypadMode, TokenCode code) {
    switch (keypadMode) {
    case CalcMode::Calc:
        if (mode_ != CalcMode::Calc) return;
        calcKey(code);
        break;
    case CalcMode::Fx:
        break;
    case CalcMode::Matrix:
        return; // List sub-mode: the keypad does nothing
    default:
        return;
    }
    emit keyDispatched(static_cast<int>(keypadMode), code);
}

void TtallixMainForm::keyPressEvent(QKeyEvent* event) {
    const bool calc = mode_ == CalcMode::Calc, fx = mode_ == CalcMode::Fx;
    if (event->key() == Qt::Key_Escape && (calc || fx || mode_ == CalcMode::Matrix)) {
        close();
        return;
    }
    if (!calc && !fx) return QWidget::keyPressEvent(event);
    if (calc) {
        if (!calcKeyPress(event)) QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace) {
        if (keywords_.backspace())
            pendingCharsLbl_->setText(QString::fromStdString(keywords_.pending()));
        else
            dispatchKey(mode_, func::Backspace);
        return;
    }
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint() || text[0].unicode() > 127)
        return QWidget::keyPressEvent(event);
    const char c = static_cast<char>(text[0].unicode());
    if (const auto code = funcCodeForChar(c)) {
        dispatchKey(mode_, *code);
        return;
    }
    const auto code = keywords_.feed(c, FuncKeywords);
    pendingCharsLbl_->setText(QString::fromStdString(keywords_.pending()));
    if (code) dispatchKey(mode_, *code);
}

bool TtallixMainForm::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip && !hints_) return true;
    return QWidget::event(e);
}

// Pop-up hints of this window's controls show only while hints are on.
bool TtallixMainForm::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip && !hints_) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w))) return true;
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace tallix
