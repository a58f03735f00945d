#include "ui/dialogs/tallixGrfOpts.h"

#include "engine/func/FuncSet.h"
#include "ui/dialogs/tallixOpts.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/GraphView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace tallix {

namespace {

QString toQ(const std::string& s) {
    return QString::fromStdString(s);
}

QRadioButton* radio(QGroupBox* group, QButtonGroup* buttons, const char* name, const char* text,
                    int id, int y) {
    auto* rb = new QRadioButton(text, group);
    rb->setObjectName(name);
    rb->setGeometry(10, y, 150, 19);
    buttons->addButton(rb, id);
    return rb;
}

QCheckBox* check(QWidget* parent, const char* name, const char* text, const QRect& r) {
    auto* cb = new QCheckBox(text, parent);
    cb->setObjectName(name);
    cb->setGeometry(r);
    return cb;
}

QLabel* label(QWidget* parent, const char* text, const QRect& r) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(r);
    return l;
}

} // namespace

TtallixGraphPBoptsForm::TtallixGraphPBoptsForm(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("TtallixGraphPBoptsForm");
    setWindowTitle("Graphing Options");
    setToolTip("Select graphing options, then click window to close/exit");
    setModal(true);
    setFixedSize(546, 372);

    buildLeftColumn();
    buildLimits();
    buildPoint();

    errorMsgLbl_ = new QLabel(this);
    errorMsgLbl_->setObjectName("errorMsgLbl");
    errorMsgLbl_->setGeometry(10, 314, 528, 20);
    errorMsgLbl_->setStyleSheet("color: #C00000; font-weight: bold");

    auto* apply = new QPushButton("Apply Settings and Exit", this);
    apply->setObjectName("ApplyBtn");
    apply->setGeometry(288, 338, 168, 26);
    apply->setDefault(true);
    connect(apply, &QPushButton::clicked, this, &TtallixGraphPBoptsForm::accept);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");
    cancel->setGeometry(464, 338, 74, 26);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &TtallixGraphPBoptsForm::reject);

    // Pop-up hints show only while the hints are switched on.
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void TtallixGraphPBoptsForm::buildLeftColumn() {
    auto* yGroup = new QGroupBox("Y Axis Range", this);
    yGroup->setObjectName("YaxisScalingRG");
    yGroup->setToolTip(
        "Select Y axis scaling mode: automatic, forced scaled x:y 1:1, or user explicit");
    yGroup->setGeometry(8, 6, 196, 84);
    yScalingGroup_ = new QButtonGroup(this);
    radio(yGroup, yScalingGroup_, "YAutoRB", "Auto", int(YScaling::Auto), 20);
    radio(yGroup, yScalingGroup_, "YOneToOneRB", "1:1 (y=x)", int(YScaling::OneToOne), 40);
    radio(yGroup, yScalingGroup_, "YUserDefRB", "User Def", int(YScaling::UserDef), 60);
    // The y limits hold only in User Def scaling.
    connect(yScalingGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == int(YScaling::UserDef)) return;
        pairs_[int(LimitPair::Y)].min->clear();
        pairs_[int(LimitPair::Y)].max->clear();
    });

    interiorCB_ = check(this, "ShowIntAxesCB", "Use Interior Axes", {12, 94, 192, 20});
    interiorCB_->setToolTip("Check to allow use of interior axes when meaningful");
    piCB_ = check(this, "XaxisInPiMultsCB", "Show X Axis in Pi Multiples", {12, 114, 192, 20});
    piCB_->setToolTip("Check to allow x axis to be labeled in multiples of pi");

    auto* gridGroup = new QGroupBox("Cartesian Grid Type ", this);
    gridGroup->setObjectName("ShowGridRG");
    gridGroup->setGeometry(8, 138, 196, 84);
    gridGroup_ = new QButtonGroup(this);
    radio(gridGroup, gridGroup_, "GridNoneRB", "None", int(GridType::None), 20);
    radio(gridGroup, gridGroup_, "GridDotsRB", "Dot Matrix", int(GridType::DotMatrix), 40);
    radio(gridGroup, gridGroup_, "GridLinesRB", "Line Matrix", int(GridType::LineMatrix), 60);

    auto* lists = new QGroupBox("Plot List Data", this);
    lists->setGeometry(8, 226, 196, 84);
    label(lists, "X Datapoints List", {10, 22, 112, 18});
    xListCB_ = new QComboBox(lists);
    xListCB_->setObjectName("PlotXlistCB");
    xListCB_->setGeometry(124, 20, 64, 22);
    label(lists, "Y Datapoints List", {10, 50, 112, 18});
    yListCB_ = new QComboBox(lists);
    yListCB_->setObjectName("PlotYlistCB");
    yListCB_->setGeometry(124, 48, 64, 22);
}

void TtallixGraphPBoptsForm::buildLimits() {
    auto* group = new QGroupBox("User Explicit X/Y/Theta Limits", this);
    group->setGeometry(212, 6, 326, 206);
    label(group, "min", {52, 18, 72, 14})->setAlignment(Qt::AlignCenter);
    label(group, "max", {128, 18, 72, 14})->setAlignment(Qt::AlignCenter);

    struct Row {
        const char* caption;
        const char* minName;
        const char* maxName;
        const char* minHint;
        const char* maxHint;
        const char* currentName;
    };
    static constexpr Row kRows[] = {
        {"X", "minXeb", "maxXeb", "Enter X axis minimum value, eg, -10, 3pi/2",
         "Enter X axis maximum value, eg, 10, 3pi/2", "CurrentXLbl"},
        {"Y", "minYeb", "maxYeb", "Enter Y axis minimum value, eg, -10, 3pi/2",
         "Enter Y axis maximum value, eg, 10, 3pi/2", "CurrentYLbl"},
        {"Theta", "minThetaEB", "maxThetaEB", "Enter Theta minimum value, eg, 0, -pi/2",
         "Enter Theta maximum value, eg, 2pi, 3pi/2", "CurrentThetaLbl"},
        {"T", "minTeb", "maxTeb", "Enter T minimum value, eg, 0, -pi",
         "Enter T maximum value, eg, 10, 2pi", "CurrentTLbl"},
    };
    for (int i = 0; i < 4; ++i) {
        const Row& row = kRows[i];
        const int y = 34 + 26 * i;
        label(group, row.caption, {10, y + 2, 40, 18});
        auto edit = [&](const char* name, const char* hint, int x) {
            auto* e = new QLineEdit(group);
            e->setObjectName(name);
            e->setToolTip(hint);
            e->setGeometry(x, y, 72, 22);
            return e;
        };
        pairs_[i] = {edit(row.minName, row.minHint, 52), edit(row.maxName, row.maxHint, 128)};
        auto* current = new ClickLabel(row.currentName, "( current limits )", group);
        current->setGeometry(206, y + 2, 116, 18);
        current->setStyleSheet("color: #0000C0");
        const auto pair = static_cast<LimitPair>(i);
        connect(current, &ClickLabel::clicked, this, [this, pair] {
            setPair(pair,
                    currentLimitTexts(pair, state_.workspace().graphWindow(), current_, kind()));
        });
    }
    // Typing a y limit chooses the scaling that uses it.
    for (QLineEdit* e : {pairs_[1].min, pairs_[1].max})
        connect(e, &QLineEdit::textEdited, this,
                [this] { yScalingGroup_->button(int(YScaling::UserDef))->setChecked(true); });

    label(group, "count of t values", {10, 142, 110, 18});
    tCountLbl_ = new QLabel(group);
    tCountLbl_->setObjectName("tCountLbl");
    tCountLbl_->setGeometry(120, 142, 40, 18);
    tCountLbl_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tCountBigUD_ = new UpDown("tCountBigUD", 10, kMaxSamples, 10, group);
    tCountBigUD_->move(168, 140);
    tCountSmallUD_ = new UpDown("tCountSmallUD", 10, kMaxSamples, 1, group);
    tCountSmallUD_->move(188, 140);
    connect(tCountBigUD_, &UpDown::changed, this, &TtallixGraphPBoptsForm::showTCount);
    connect(tCountSmallUD_, &UpDown::changed, this, &TtallixGraphPBoptsForm::showTCount);

    auto* defaults = new ClickLabel("DefaultsLbl", "( defaults )", group);
    defaults->setGeometry(10, 176, 90, 18);
    defaults->setStyleSheet("color: #0000C0");
    connect(defaults, &ClickLabel::clicked, this, [this] {
        for (int i = 0; i < 4; ++i)
            setPair(static_cast<LimitPair>(i), defaultLimitTexts(static_cast<LimitPair>(i)));
    });
    auto* clearAll = new ClickLabel("ClearAllLbl", "clear all", group);
    clearAll->setGeometry(128, 176, 80, 18);
    clearAll->setStyleSheet("color: #0000C0");
    connect(clearAll, &ClickLabel::clicked, this, [this] {
        for (const PairEdits& p : pairs_) {
            p.min->clear();
            p.max->clear();
        }
    });
}

void TtallixGraphPBoptsForm::buildPoint() {
    auto* group = new QGroupBox("Plot Single Point", this);
    group->setGeometry(212, 216, 326, 94);
    label(group, "X Value", {10, 22, 50, 18});
    pointXeb_ = new QLineEdit(group);
    pointXeb_->setObjectName("PointXeb");
    pointXeb_->setGeometry(62, 20, 80, 22);
    label(group, "Y Value", {10, 50, 50, 18});
    pointYeb_ = new QLineEdit(group);
    pointYeb_->setObjectName("PointYeb");
    pointYeb_->setGeometry(62, 48, 80, 22);
    plotPointCB_ = check(group, "PlotPointCB", "Plot Point", {160, 22, 120, 20});
    labelPointCB_ = check(group, "LabelPtCB", "Label Pt", {160, 50, 120, 20});
}

bool TtallixGraphPBoptsForm::edit(const PlotLayout& current, GraphView* view) {
    loadValues(current, view);
    return exec() == QDialog::Accepted;
}

void TtallixGraphPBoptsForm::loadValues(const PlotLayout& current, GraphView* view) {
    current_ = current;
    view_ = view;
    const GraphWindow& w = state_.workspace().graphWindow();
    yScalingGroup_->button(int(w.yScaling))->setChecked(true);
    interiorCB_->setChecked(w.UseInteriorAxes);
    piCB_->setChecked(w.piLabels);
    gridGroup_->button(int(w.gridType))->setChecked(true);
    for (int i = 0; i < 4; ++i) {
        const LimitTexts t = presetLimitTexts(static_cast<LimitPair>(i), w, kind());
        pairs_[i].min->setText(toQ(t.min));
        pairs_[i].max->setText(toQ(t.max));
    }
    showTCount(w.TCount);
    fillListChoosers();
    if (marks_.showPoint) {
        pointXeb_->setText(toQ(limitText(marks_.point.x)));
        pointYeb_->setText(toQ(limitText(marks_.point.y)));
    }
    plotPointCB_->setChecked(marks_.showPoint);
    labelPointCB_->setChecked(marks_.labelPoint);
    errorMsgLbl_->clear();
}

void TtallixGraphPBoptsForm::setPair(LimitPair pair, const LimitTexts& texts) {
    const PairEdits& p = pairs_[int(pair)];
    p.min->setText(toQ(texts.min));
    p.max->setText(toQ(texts.max));
    if (pair == LimitPair::Y && !texts.min.empty())
        yScalingGroup_->button(int(YScaling::UserDef))->setChecked(true);
}

void TtallixGraphPBoptsForm::showTCount(int count) {
    tCountBigUD_->setPosition(count);
    tCountSmallUD_->setPosition(count);
    tCountLbl_->setText(QString::number(tCountBigUD_->position()));
}

GraphKind TtallixGraphPBoptsForm::kind() const {
    const FuncSet& f = state_.workspace().funcs();
    return graphKindOf(f.PolarMode, f.ParamMode);
}

GraphOptionsInput TtallixGraphPBoptsForm::input() const {
    GraphOptionsInput in;
    auto text = [](const QLineEdit* e) { return e->text().toStdString(); };
    in.minX = text(pairs_[0].min);
    in.maxX = text(pairs_[0].max);
    in.minY = text(pairs_[1].min);
    in.maxY = text(pairs_[1].max);
    in.minTheta = text(pairs_[2].min);
    in.maxTheta = text(pairs_[2].max);
    in.minT = text(pairs_[3].min);
    in.maxT = text(pairs_[3].max);
    in.yScaling = static_cast<YScaling>(yScalingGroup_->checkedId());
    in.UseInteriorAxes = interiorCB_->isChecked();
    in.piLabels = piCB_->isChecked();
    in.gridType = static_cast<GridType>(gridGroup_->checkedId());
    in.TCount = tCountBigUD_->position();
    in.pointX = text(pointXeb_);
    in.pointY = text(pointYeb_);
    in.plotPoint = plotPointCB_->isChecked();
    in.labelPoint = labelPointCB_->isChecked();
    return in;
}

void TtallixGraphPBoptsForm::accept() {
    const GraphOptionsResult r =
        applyGraphOptions(input(), state_.workspace().graphWindow(), kind());
    if (!r.error.empty()) {
        errorMsgLbl_->setText(toQ(r.error));
        return;
    }
    state_.workspace().graphWindow() = r.window;
    marks_ = r.marks;
    marks_.listData = chosenListData();
    if (view_) view_->setMarks(marks_);
    finish();
    QDialog::accept();
}

// Both choosers: an empty entry (nothing plotted), then the data lists by
// name; the lists chosen last are chosen again when they still exist.
void TtallixGraphPBoptsForm::fillListChoosers() {
    const ListCatalog& lists = state_.workspace().lists();
    for (auto [cb, chosen] : {std::pair{xListCB_, &plotX_}, std::pair{yListCB_, &plotY_}}) {
        cb->clear();
        cb->addItem(QString());
        for (int i = 0; i < lists.size(); ++i)
            cb->addItem(toQ(ParseListN(lists, i).name));
        const int at = FindListDefInListsTSL(lists, *chosen);
        cb->setCurrentIndex(chosen->empty() || at < 0 ? 0 : at + 1);
    }
}

// The X-Y pairs of the two chosen lists (as many as the shorter has); items
// that are not numbers give undefined points, which are not drawn.
std::vector<WorldPoint> TtallixGraphPBoptsForm::chosenListData() {
    plotX_ = xListCB_->currentIndex() > 0 ? xListCB_->currentText().toStdString() : "";
    plotY_ = yListCB_->currentIndex() > 0 ? yListCB_->currentText().toStdString() : "";
    std::vector<WorldPoint> points;
    if (plotX_.empty() || plotY_.empty()) return points;
    std::vector<std::string> xs, ys;
    state_.readList(xListCB_->currentIndex() - 1, xs);
    state_.readList(yListCB_->currentIndex() - 1, ys);
    for (std::size_t i = 0; i < std::min(xs.size(), ys.size()); ++i)
        points.push_back({ParseListValue(xs[i]), ParseListValue(ys[i])});
    return points;
}

void TtallixGraphPBoptsForm::reject() {
    finish();
    QDialog::reject();
}

void TtallixGraphPBoptsForm::finish() {
    state_.workspace().funcs().InvalidateFuncCacheAll();
    state_.graphWindowChanged();
}

// A click on the dialog itself, not on one of its controls, accepts.
void TtallixGraphPBoptsForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint())) {
        accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

bool TtallixGraphPBoptsForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !state_.hintsEnabled()) return true;
    return QDialog::eventFilter(watched, event);
}

} // namespace tallix
