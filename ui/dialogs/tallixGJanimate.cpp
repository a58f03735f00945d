#include "ui/dialogs/tallixGJanimate.h"

#include "ui/views/ClickLabel.h"
#include "ui/views/MatDisplay.h"
#include "ui/views/PaintBox.h"

#include <QKeyEvent>
#include <QPainter>

namespace tallix {

namespace {

constexpr int kWidth = 440, kHeight = 300;
constexpr int kDrawTop = 34, kDrawHeight = kHeight - kDrawTop - 22;

// The working matrix of the animation, red where the step points.
class GJView : public PaintBox {
public:
    GJView(const GJAnimation& gj, QWidget* parent) : PaintBox("GJAnimatePB", parent), gj_(gj) {}

protected:
    void render(QPainter& p) override {
        p.fillRect(QRect(QPoint(0, 0), size()), QColor(248, 248, 248));
        const MatGrid& m = gj_.matrix();
        if (m.rows < 1 || m.cols < 1) return;
        const QColor text = palette().color(QPalette::WindowText);
        drawMatGrid(
            p, size(), m.rows, m.cols,
            [&](int r, int c) { return QString::fromStdString(gj_.cellText(r, c)); },
            [&](int r, int c) { return gj_.isHighlighted(r, c) ? QColor(Qt::red) : text; });
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) emit pressed(e->button(), e->position().toPoint());
    }

private:
    const GJAnimation& gj_;
};

} // namespace

TtallixGJanimateForm::TtallixGJanimateForm(const AppState& state, const MatGrid& matrix,
                                           QWidget* parent)
    : HintedDialog(state, parent) {
    setObjectName("TtallixGJanimateForm");
    setWindowTitle("Gauss-Jordan Reduction Animation");
    setFixedSize(kWidth, kHeight);
    gj_.start(matrix);
    caption_ = new ClickLabel("CaptionLbl", QString(), this);
    caption_->setFont(matfont::nameExpr());
    caption_->setCursor(Qt::PointingHandCursor);
    caption_->setToolTip("Click to take the next step");
    QPalette pal = caption_->palette();
    pal.setColor(QPalette::WindowText, kMatBlue);
    caption_->setPalette(pal);
    drawing_ = new GJView(gj_, this);
    drawing_->setGeometry(0, kDrawTop, kWidth, kDrawHeight);
    drawing_->setCursor(Qt::PointingHandCursor);
    drawing_->setToolTip("Click to take the next step");
    stepLbl_ = new QLabel(this);
    stepLbl_->setObjectName("StepLbl");
    stepLbl_->setFont(matfont::nominal());
    backLbl_ = new ClickLabel("StepBackLbl", "step back", this);
    backLbl_->setFont(matfont::nominal());
    backLbl_->setCursor(Qt::PointingHandCursor);
    backLbl_->setToolTip("Click (or press Backspace) to return to the previous step");
    // Blue while it can be used; greyed at the first step.
    pal = backLbl_->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, kMatBlue);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, kMatBlue);
    backLbl_->setPalette(pal);
    connect(caption_, &ClickLabel::clicked, this, &TtallixGJanimateForm::advance);
    connect(drawing_, &PaintBox::pressed, this, [this] { advance(); });
    connect(backLbl_, &ClickLabel::clicked, this, &TtallixGJanimateForm::stepBack);
    showStep();
}

QLabel* TtallixGJanimateForm::captionLabel() const {
    return caption_;
}

void TtallixGJanimateForm::advance() {
    if (gj_.done()) {
        accept();
        return;
    }
    gj_.advance();
    showStep();
}

void TtallixGJanimateForm::stepBack() {
    if (gj_.back()) showStep();
}

void TtallixGJanimateForm::showStep() {
    caption_->setText(QString::fromStdString(gj_.caption()));
    caption_->adjustSize();
    caption_->move((width() - caption_->width()) / 2, 8);
    stepLbl_->setText(QString("step %1").arg(gj_.stepNumber()));
    stepLbl_->adjustSize();
    stepLbl_->move(8, height() - 18);
    backLbl_->adjustSize();
    backLbl_->move(width() - 8 - backLbl_->width(), height() - 18);
    backLbl_->setEnabled(gj_.stepNumber() > 0);
    drawing_->markDirty();
}

void TtallixGJanimateForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Backspace) {
        stepBack();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        advance();
        return;
    }
    HintedDialog::keyPressEvent(event);
}

void TtallixGJanimateForm::resizeEvent(QResizeEvent* event) {
    HintedDialog::resizeEvent(event);
    showStep();
}

} // namespace tallix
