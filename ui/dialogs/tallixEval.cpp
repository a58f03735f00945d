#include "ui/dialogs/tallixEval.h"

#include "engine/analysis/AnalysisOverlays.h"
#include "engine/workspace/Workspace.h"
#include "ui/dialogs/StepArrows.h"
#include "ui/dialogs/ToolForm.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/GraphView.h"
#include "ui/views/PaintBox.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>

namespace tallix {

namespace {

constexpr int kWidth = 236, kHeight = 360;

// The rows of the results list: "n)" and the slot's colour, then the value;
// "m = " slope rows; in parametric mode "x = " and "y = " rows per pair.
class ResultRowDelegate : public QStyledItemDelegate {
public:
    ResultRowDelegate(const FuncSet& funcs, QObject* parent)
        : QStyledItemDelegate(parent), funcs_(funcs) {}
    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, option.palette.base());
        p->setPen(Qt::black);
        const int baseline = r.top() + (r.height() + p->fontMetrics().ascent()) / 2 - 1;
        const QString line = index.data().toString();
        if (line.startsWith("m=")) {
            p->drawText(r.left() + 70, baseline, "m = " + line.mid(2));
        } else if (const qsizetype comma = line.indexOf(','); comma > 0) {
            const int n = line.left(comma).toInt();
            const QString text = line.mid(comma + 1);
            const bool param = funcs_.ParamMode;
            if (!param || n % 2 == 1) {
                p->drawText(r.left() + 6, baseline, QString("%1)").arg(param ? (n + 1) / 2 : n));
                p->setPen(winColor(static_cast<int>(funcs_.slot(n).Colour)));
                p->drawLine(r.left() + 30, r.top() + 9, r.left() + 50, r.top() + 9);
                p->setPen(Qt::black);
            }
            const QString prefix = !param ? "" : n % 2 == 1 ? "x = " : "y = ";
            p->drawText(r.left() + 70, baseline, prefix + text);
        }
        p->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {200, 16};
    }

private:
    const FuncSet& funcs_;
};

} // namespace

TtallixEvalForm::TtallixEvalForm(AppState& state, GraphView* graph, QWidget* parent)
    : QWidget(parent, Qt::Tool), state_(state), graph_(graph) {
    setObjectName("TtallixEvalForm");
    setWindowTitle("Evaluate f(x)");
    setFixedSize(kWidth, kHeight);
    setFont(formFont(11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(kToolBackground));
    setPalette(pal);

    auto* heading = new QLabel("Evaluate Defined Functions at a Point", this);
    heading->setFont(formFont(11));
    heading->adjustSize();
    heading->move((kWidth - heading->width()) / 2, 6);
    XeqTeqLbl_ = new QLabel("X =", this);
    XeqTeqLbl_->setObjectName("XeqTeqLbl");
    XeqTeqLbl_->setGeometry(8, 32, 26, 20);
    xValEB_ = new QLineEdit("0.0", this);
    xValEB_->setObjectName("xValEB");
    xValEB_->setGeometry(36, 30, 100, 22);
    connect(xValEB_, &QLineEdit::textEdited, this, [this] { InvFmtLbl_->hide(); });
    connect(xValEB_, &QLineEdit::returnPressed, this, &TtallixEvalForm::ComputeFuncVals);
    const std::array<std::pair<const char*, StepSize>, 3> uds = {
        {{"BigUD", StepSize::Large}, {"MedUD", StepSize::Medium}, {"SmallUD", StepSize::Small}}};
    int x = 140;
    for (const auto& [name, size] : uds) {
        auto* ud = new StepArrows(name, this);
        ud->move(x, 30);
        connect(ud, &StepArrows::stepped, this, [this, s = size](bool up) { step(s, up); });
        x += 18;
    }
    auto* evalLbl = new ClickLabel("EvalLbl", "Eval", this);
    QPalette blue = evalLbl->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    evalLbl->setPalette(blue);
    evalLbl->setCursor(Qt::PointingHandCursor);
    evalLbl->move(200, 34);
    evalLbl->adjustSize();
    connect(evalLbl, &ClickLabel::clicked, this, &TtallixEvalForm::ComputeFuncVals);
    InvFmtLbl_ = new QLabel(kInvalidXText, this);
    InvFmtLbl_->setObjectName("InvFmtLbl");
    QPalette red = InvFmtLbl_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    InvFmtLbl_->setPalette(red);
    InvFmtLbl_->move(36, 54);
    InvFmtLbl_->adjustSize();
    InvFmtLbl_->hide();

    auto* values = new QLabel("Function Values", this);
    values->move(8, 70);
    values->adjustSize();
    resultsLB_ = new QListWidget(this);
    resultsLB_->setObjectName("resultsLB");
    resultsLB_->setGeometry(8, 86, kWidth - 16, 170);
    resultsLB_->setSelectionMode(QAbstractItemView::NoSelection);
    resultsLB_->setFocusPolicy(Qt::NoFocus);
    resultsLB_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resultsLB_->setItemDelegate(new ResultRowDelegate(state_.workspace().funcs(), this));

    auto box = [this](const char* name, const char* text, int y) {
        auto* b = new QCheckBox(text, this);
        b->setObjectName(name);
        b->move(8, y);
        b->adjustSize();
        return b;
    };
    AllowRationalCB_ = box("AllowRationalCB", "Allow Rational Reductions", 262);
    AllowFracToPiReductionCB_ =
        box("AllowFracToPiReductionCB", "Allow Reduction to Pi Fractions", 280);
    ShowFxsOnGraphCB_ = box("ShowFxsOnGraphCB", "Graph Results", 298);
    ComputeSlopeAtXcb_ = box("ComputeSlopeAtXcb", "Compute Slope at X", 316);
    for (QCheckBox* b : {AllowRationalCB_, AllowFracToPiReductionCB_, ComputeSlopeAtXcb_})
        connect(b, &QCheckBox::clicked, this, &TtallixEvalForm::ComputeFuncVals);
    connect(ShowFxsOnGraphCB_, &QCheckBox::clicked, this, &TtallixEvalForm::updateOverlay);

    auto* close = new QLabel("-  Click Window to Close  -", this);
    close->setFont(formFont(10));
    QPalette grey = close->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    close->setPalette(grey);
    close->adjustSize();
    close->move((kWidth - close->width()) / 2, kHeight - 18);
}

void TtallixEvalForm::AdjustFormParamVsFx() {
    XeqTeqLbl_->setText(state_.workspace().funcs().ParamMode ? "t =" : "X =");
}

void TtallixEvalForm::ComputeFuncVals() {
    resultsLB_->clear();
    InvFmtLbl_->hide();
    EvalOptions options;
    options.rational = AllowRationalCB_->isChecked();
    options.piForms = AllowFracToPiReductionCB_->isChecked();
    options.slope = ComputeSlopeAtXcb_->isChecked();
    Workspace& ws = state_.workspace();
    const EvalAtXResult r =
        evaluateAtX(ws.funcs(), ws.trigMode(), xValEB_->text().toStdString(), options);
    if (!r.valid) {
        InvFmtLbl_->show();
        return; // the last values stay for the graph
    }
    result_ = r;
    for (const std::string& l : r.lines)
        resultsLB_->addItem(QString::fromStdString(l));
    updateOverlay();
}

void TtallixEvalForm::step(StepSize size, bool up) {
    xValEB_->setText(QString::fromStdString(steppedText(xValEB_->text().toStdString(), size, up)));
    ComputeFuncVals();
}

std::vector<std::string> TtallixEvalForm::lines() const {
    std::vector<std::string> out;
    for (int i = 0; i < resultsLB_->count(); ++i)
        out.push_back(resultsLB_->item(i)->text().toStdString());
    return out;
}

void TtallixEvalForm::updateOverlay() {
    if (!graph_) return;
    if (!isVisible() || !ShowFxsOnGraphCB_->isChecked() || !result_.valid) {
        graph_->setOverlaySource(kOverlayKey, {});
        return;
    }
    graph_->setOverlaySource(kOverlayKey, [this, r = result_](const PlotLayout& p) {
        return evalOverlay(r, state_.workspace().funcs(), p);
    });
}

void TtallixEvalForm::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    InvFmtLbl_->hide();
    close();
}

void TtallixEvalForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void TtallixEvalForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (graph_) graph_->setOverlaySource(kOverlayKey, {});
}

void TtallixEvalForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateOverlay();
}

} // namespace tallix
