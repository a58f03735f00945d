#include "ui/dialogs/tallixXIMM.h"

#include "engine/func/FuncSet.h"
#include "ui/dialogs/ReportRows.h"
#include "ui/dialogs/ToolForm.h"
#include "ui/views/PaintBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>

namespace tallix {

namespace {

constexpr int kWidth = 208, kHeight = 288;

} // namespace

TtallixXIMMform::TtallixXIMMform(const FuncSet& funcs, QWidget* parent)
    : QWidget(parent, Qt::Tool) {
    setObjectName("TtallixXIMMform");
    setWindowTitle("f(x) Details");
    setFixedSize(kWidth, kHeight);
    setFont(formFont(11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, winColor(kToolBackground));
    setPalette(pal);

    titleLbl_ = new QLabel(this);
    titleLbl_->setObjectName("titleLbl");
    QFont title = formFont(13);
    title.setUnderline(true);
    titleLbl_->setFont(title);
    titleLbl_->move(8, 6);
    auto* details = new QLabel("Details", this);
    details->setFont(formFont(10));
    details->move(8, 32);
    details->adjustSize();

    XIMMlb_ = new QListWidget(this);
    XIMMlb_->setObjectName("XIMMlb");
    XIMMlb_->setGeometry(8, 48, 193, 213);
    XIMMlb_->setFont(formFont(11));
    XIMMlb_->setSelectionMode(QAbstractItemView::NoSelection);
    XIMMlb_->setFocusPolicy(Qt::NoFocus);
    XIMMlb_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    XIMMlb_->setUniformItemSizes(true);
    XIMMlb_->setItemDelegate(new ReportRowDelegate(
        [&funcs](int n) { return funcs.slot(funcs.ParamMode ? 2 * n - 1 : n).Colour; }, this));

    auto* close = new QLabel("-  Click WIndow to Close  -", this);
    close->setFont(formFont(10));
    QPalette grey = close->palette();
    grey.setColor(QPalette::WindowText, Qt::gray);
    close->setPalette(grey);
    close->adjustSize();
    close->move((kWidth - close->width()) / 2, 266);
}

void TtallixXIMMform::showReport(AnalysisTool tool, const std::vector<std::string>& lines) {
    XIMMlb_->clear();
    for (const std::string& l : lines)
        XIMMlb_->addItem(QString::fromStdString(l));
    titleLbl_->setText(analysisTitle(tool));
    titleLbl_->adjustSize();
    titleLbl_->move(width() / 2 - titleLbl_->width() / 2, titleLbl_->y());
}

std::vector<std::string> TtallixXIMMform::reportLines() const {
    std::vector<std::string> out;
    for (int i = 0; i < XIMMlb_->count(); ++i)
        out.push_back(XIMMlb_->item(i)->text().toStdString());
    return out;
}

QString TtallixXIMMform::title() const {
    return titleLbl_->text();
}

void TtallixXIMMform::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    close();
}

void TtallixXIMMform::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace tallix
