#include "ui/dialogs/tallixDefInt.h"

#include "engine/analysis/AnalysisOverlays.h"
#include "engine/workspace/Workspace.h"
#include "ui/dialogs/StepArrows.h"
#include "ui/dialogs/ToolForm.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/GraphView.h"
#include "ui/views/PaintBox.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>
#include <QStyledItemDelegate>

namespace tallix {

namespace {

constexpr int kWidth = 209, kHeight = 353;

// "Function n" and the slot's colour as a line after it; the selected row in
// blue.
class FuncRowDelegate : public QStyledItemDelegate {
public:
    FuncRowDelegate(const FuncSet& funcs, QObject* parent)
        : QStyledItemDelegate(parent), funcs_(funcs) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, option.palette.base());
        const int n = index.data().toInt();
        const bool selected = option.state & QStyle::State_Selected;
        p->setPen(selected ? QColor(Qt::blue) : option.palette.text().color());
        const QFontMetrics fm = p->fontMetrics();
        p->drawText(r.left() + 1, r.top() + (r.height() + fm.ascent()) / 2 - 1,
                    QString("Function %1").arg(n));
        if (n >= 1 && n <= kFuncSlotCount) {
            p->setPen(winColor(static_cast<int>(funcs_.slot(n).Colour)));
            const int y = r.top() + r.height() / 2;
            p->drawLine(r.left() + fm.horizontalAdvance("Function xx.."), y, r.right() - 24, y);
        }
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {90, 15};
    }

private:
    const FuncSet& funcs_;
};

QLabel* redLabel(const char* name, QWidget* parent, int x, int y) {
    auto* l = new QLabel(kInvalidRangeText, parent);
    l->setObjectName(name);
    QPalette red = l->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    l->setPalette(red);
    l->setFont(formFont(10));
    l->move(x, y);
    l->adjustSize();
    l->hide();
    return l;
}

} // namespace

TtallixDefIntForm::TtallixDefIntForm(AppState& state, GraphView* graph, QWidget* parent)
    : QWidget(parent, Qt::Tool), state_(state), graph_(graph) {
    setObjectName("TtallixDefIntForm");
    setWindowTitle("Evaluate Definite Integral");
    setFixedSize(kWidth, kHeight);
    setFont(formFont(11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(kToolBackground));
    setPalette(pal);
    chooseColour_ = [](const QColor& current, QWidget* parent) {
        return QColorDialog::getColor(current, parent);
    };

    auto* range = new QLabel("Range of Integration", this);
    range->move(8, 6);
    range->adjustSize();
    auto* evalLbl = new ClickLabel("EvaluateLbl", "Eval", this);
    QPalette blue = evalLbl->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    evalLbl->setPalette(blue);
    evalLbl->setCursor(Qt::PointingHandCursor);
    evalLbl->move(170, 6);
    evalLbl->adjustSize();
    connect(evalLbl, &ClickLabel::clicked, this, &TtallixDefIntForm::TryEvalDefint);

    auto rangeRow = [this](bool isMax, int y) {
        auto* caption = new QLabel(isMax ? "Xmax =" : "Xmin =", this);
        caption->move(8, y + 4);
        caption->adjustSize();
        auto* edit = new QLineEdit(isMax ? "1" : "0", this);
        edit->setObjectName(isMax ? "xmaxEB" : "xminEB");
        edit->setGeometry(54, y, 92, 22);
        connect(edit, &QLineEdit::returnPressed, this, &TtallixDefIntForm::TryEvalDefint);
        const std::array<std::pair<const char*, StepSize>, 3> uds = {
            {{isMax ? "xmaxLud" : "xminLud", StepSize::Large},
             {isMax ? "xmaxMud" : "xminMud", StepSize::Medium},
             {isMax ? "xmaxSud" : "xMinSud", StepSize::Small}}};
        int x = 148;
        for (const auto& [name, size] : uds) {
            auto* ud = new StepArrows(name, this);
            ud->move(x, y);
            connect(ud, &StepArrows::stepped, this,
                    [this, isMax, s = size](bool up) { UpdateXtextValue(isMax, s, up); });
            x += 18;
        }
        return edit;
    };
    xmaxInvalidLbl_ = redLabel("xmaxInvalidLbl", this, 54, 22);
    xmaxEB_ = rangeRow(true, 36);
    xminInvalidLbl_ = redLabel("xminInvalidLbl", this, 54, 60);
    xminEB_ = rangeRow(false, 74);

    auto* fill = new QLabel("Fill Color :", this);
    fill->move(8, 106);
    fill->adjustSize();
    FillColorPB_ = new ClickLabel("FillColorPB", "", this);
    FillColorPB_->setGeometry(70, 104, 30, 16);
    FillColorPB_->setAutoFillBackground(true);
    FillColorPB_->setFrameShape(QFrame::Box);
    connect(FillColorPB_, &ClickLabel::clicked, this, &TtallixDefIntForm::chooseFillColour);
    auto* cells = new QLabel("N Cells :", this);
    cells->move(110, 106);
    cells->adjustSize();
    nCellsLbl_ = new QLabel(this);
    nCellsLbl_->setObjectName("nCellsLbl");
    nCellsLbl_->setGeometry(158, 106, 34, 14);
    auto* cellsUD = new StepArrows("nCellsUD", this);
    cellsUD->move(192, 101);
    connect(cellsUD, &StepArrows::stepped, this, [this](bool up) {
        setCellPower(cellPower_ + (up ? 1 : -1));
        TryEvalDefint();
    });

    auto* group = new QGroupBox("Type of Integration ", this);
    group->setGeometry(6, 126, kWidth - 12, 70);
    EvalTypeRG_ = new QButtonGroup(this);
    const std::array<const char*, 3> items = {"Primary Function over Range",
                                              "Difference of Selected Functions",
                                              "Primary Function Path Integral"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(items[i], group);
        b->setFont(formFont(10));
        b->move(6, 16 + 17 * i);
        b->adjustSize();
        EvalTypeRG_->addButton(b, i);
    }
    EvalTypeRG_->button(0)->setChecked(true);
    connect(EvalTypeRG_, &QButtonGroup::idClicked, this, [this] { TryEvalDefint(); });

    auto* pri = new QLabel("Primary Function", this);
    pri->setFont(formFont(10));
    pri->move(8, 200);
    pri->adjustSize();
    auto* sec = new QLabel("Secondary Function", this);
    sec->setFont(formFont(10));
    sec->move(108, 200);
    sec->adjustSize();
    const auto funcList = [this](const char* name, int x) {
        auto* l = new QListWidget(this);
        l->setObjectName(name);
        l->setGeometry(x, 214, 94, 76);
        l->setFont(formFont(9));
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setItemDelegate(new FuncRowDelegate(state_.workspace().funcs(), this));
        connect(l, &QListWidget::itemClicked, this, [this] { TryEvalDefint(); });
        return l;
    };
    PriFuncLB_ = funcList("PriFuncLB", 8);
    SecFuncLB_ = funcList("SecFuncLB", 107);

    auto* computed = new QLabel("Computed Value:", this);
    computed->move(8, 296);
    computed->adjustSize();
    valueLbl_ = new QLabel("---", this);
    valueLbl_->setObjectName("valueLbl");
    valueLbl_->setGeometry(16, 312, kWidth - 24, 16);
    valueLbl_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value2Lbl_ = new QLabel("---", this);
    value2Lbl_->setObjectName("value2Lbl");
    value2Lbl_->setGeometry(16, 330, kWidth - 24, 16);
    setCellPower(10);
    QPalette swatch = FillColorPB_->palette();
    swatch.setColor(QPalette::Window, winColor(static_cast<int>(fill_)));
    FillColorPB_->setPalette(swatch);
}

void TtallixDefIntForm::setCellPower(int power) {
    cellPower_ = std::clamp(power, kMinCellPower, kMaxCellPower);
    nCellsLbl_->setText(QString::number(1 << cellPower_));
}

void TtallixDefIntForm::setType(IntegralType type) {
    EvalTypeRG_->button(static_cast<int>(type))->setChecked(true);
}

void TtallixDefIntForm::InitPriSecFuncCBs() {
    const FuncSet& f = state_.workspace().funcs();
    for (QListWidget* l : {PriFuncLB_, SecFuncLB_}) {
        const int row = l->currentRow();
        l->clear();
        for (int n = 1; n <= kFuncSlotCount; ++n)
            if (f.slot(n).defined() && f.slot(n).Shown) l->addItem(QString::number(n));
        if (row >= 0 && row < l->count()) l->setCurrentRow(row);
    }
}

IntegralInput TtallixDefIntForm::input() const {
    IntegralInput in;
    in.type = static_cast<IntegralType>(std::max(0, EvalTypeRG_->checkedId()));
    const auto slotOf = [](const QListWidget* l) {
        const QListWidgetItem* it = l->currentItem();
        return it && it->isSelected() ? it->text().toInt() : 0;
    };
    in.primary = slotOf(PriFuncLB_);
    in.secondary = slotOf(SecFuncLB_);
    in.xmin = xmin_;
    in.xmax = xmax_;
    in.cells = 1 << cellPower_;
    in.trig = state_.workspace().trigMode();
    return in;
}

void TtallixDefIntForm::TryEvalDefint() {
    valueLbl_->clear();
    value2Lbl_->clear();
    xminInvalidLbl_->hide();
    xmaxInvalidLbl_->hide();
    rangeValid_ = false;
    const auto xmin = readRangeText(xminEB_->text().toStdString());
    xmin_ = xmin.value_or(UndefinedMarker);
    if (!xmin) xminInvalidLbl_->show();
    if (xmin) {
        const auto xmax = readRangeText(xmaxEB_->text().toStdString());
        xmax_ = xmax.value_or(UndefinedMarker);
        if (!xmax) xmaxInvalidLbl_->show();
        rangeValid_ = xmax.has_value();
    }
    if (rangeValid_) {
        const IntegralInput in = input();
        const bool selected = in.type == IntegralType::Difference
                                  ? in.primary > 0 && in.secondary > 0
                                  : in.primary > 0;
        if (selected) {
            const IntegralTexts t = integralTexts(integralSum(state_.workspace().funcs(), in));
            valueLbl_->setText(QString::fromStdString(t.value));
            value2Lbl_->setText(QString::fromStdString(t.value2));
        }
    }
    if (xmin) updateOverlay();
}

void TtallixDefIntForm::UpdateXtextValue(bool maxEdit, StepSize size, bool up) {
    QLineEdit* e = maxEdit ? xmaxEB_ : xminEB_;
    e->setText(QString::fromStdString(steppedText(e->text().toStdString(), size, up)));
    TryEvalDefint();
}

void TtallixDefIntForm::chooseFillColour() {
    const QColor c = chooseColour_(winColor(static_cast<int>(fill_)), this);
    if (!c.isValid()) return;
    fill_ = static_cast<ColourValue>(winValue(c));
    QPalette swatch = FillColorPB_->palette();
    swatch.setColor(QPalette::Window, c);
    FillColorPB_->setPalette(swatch);
    updateOverlay();
}

void TtallixDefIntForm::updateOverlay() {
    if (!graph_) return;
    if (!isVisible() || !rangeValid_) {
        graph_->setOverlaySource(kOverlayKey, {});
        return;
    }
    graph_->setOverlaySource(kOverlayKey, [this, in = input(), fill = fill_](const PlotLayout& p) {
        return integralOverlay(state_.workspace().funcs(), in, fill, p);
    });
}

void TtallixDefIntForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TtallixDefIntForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (graph_) graph_->setOverlaySource(kOverlayKey, {});
}

void TtallixDefIntForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateOverlay();
}

} // namespace tallix
