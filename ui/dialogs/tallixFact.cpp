#include "ui/dialogs/tallixFact.h"

#include "engine/primes/FactPrime.h"
#include "engine/workspace/Workspace.h"
#include "ui/dialogs/ToolForm.h"
#include "ui/dialogs/tallixPrimeLine.h"
#include "ui/dialogs/tallixPrimeMap.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/PrimeViews.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace tallix {

namespace {

constexpr int kWidth = 330, kHeight = 214;

} // namespace

TtallixFactForm::TtallixFactForm(Workspace& workspace, QWidget* parent)
    : QWidget(parent, Qt::Tool), ws_(workspace) {
    setObjectName("TtallixFactForm");
    setWindowTitle("Factorize / Find Prime");
    setFixedSize(kWidth, kHeight);
    setFont(formFont(12));

    auto* intLbl = new QLabel("Integer to Factorize", this);
    intLbl->move(12, 8);
    intLbl->adjustSize();
    FactEB_ = new QLineEdit(this);
    FactEB_->setObjectName("FactEB");
    FactEB_->setGeometry(12, 26, 200, 24);
    FactEB_->installEventFilter(this);
    connect(FactEB_, &QLineEdit::textChanged, this, &TtallixFactForm::textChanged);
    upBtn_ = new QToolButton(this);
    upBtn_->setObjectName("FactUpBtn");
    upBtn_->setArrowType(Qt::UpArrow);
    upBtn_->setGeometry(213, 26, 18, 12);
    downBtn_ = new QToolButton(this);
    downBtn_->setObjectName("FactDownBtn");
    downBtn_->setArrowType(Qt::DownArrow);
    downBtn_->setGeometry(213, 38, 18, 12);
    connect(upBtn_, &QToolButton::clicked, this, [this] { step(1); });
    connect(downBtn_, &QToolButton::clicked, this, [this] { step(-1); });
    valueErrorLbl_ = new QLabel(kValueErrorText, this);
    valueErrorLbl_->setObjectName("ValueErrorLbl");
    QPalette red = valueErrorLbl_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    valueErrorLbl_->setPalette(red);
    valueErrorLbl_->move(240, 30);
    valueErrorLbl_->adjustSize();
    valueErrorLbl_->hide();

    auto link = [this](const char* name, const QString& text, int y) {
        auto* l = new ClickLabel(name, text, this);
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(pal);
        l->setCursor(Qt::PointingHandCursor);
        l->move(12, y);
        l->adjustSize();
        return l;
    };
    factorizeLbl_ = link("FactorizeLbl", "Factorize Entered Integer", 58);
    nextPrimeLbl_ = link("NextPrimeLbl", "Find Next Prime Larger than N", 78);
    prevPrimeLbl_ = link("PrevPrimeLbl", "Find Largest Prime Smaller than N", 98);
    ClickLabel* lineLbl = link("PrimeLineLbl", "Primes on Number Line", 124);
    ClickLabel* mapLbl = link("PrimeMapLbl", "Primes-space \"picture\"", 144);
    connect(factorizeLbl_, &ClickLabel::clicked, this, &TtallixFactForm::FactorizeLblClick);
    connect(nextPrimeLbl_, &ClickLabel::clicked, this, &TtallixFactForm::NextPrimeLblClick);
    connect(prevPrimeLbl_, &ClickLabel::clicked, this, &TtallixFactForm::PrevPrimeLblClick);
    connect(lineLbl, &ClickLabel::clicked, this, &TtallixFactForm::PrimeLineLblClick);
    connect(mapLbl, &ClickLabel::clicked, this, &TtallixFactForm::PrimeMapLblClick);

    strip_ = new FactorStrip(this);
    strip_->setGeometry(8, 172, kWidth - 16, 30);
    textChanged();
}

void TtallixFactForm::showEvent(QShowEvent*) {
    ws_.primeSieve(); // before the user can act
}

void TtallixFactForm::textChanged() {
    const bool integer = integerInput(FactEB_->text().toStdString()).has_value();
    for (ClickLabel* l : {factorizeLbl_, nextPrimeLbl_, prevPrimeLbl_})
        l->setEnabled(integer);
    valueErrorLbl_->hide();
}

void TtallixFactForm::step(int by) {
    if (const auto text = steppedText(FactEB_->text().toStdString(), by))
        FactEB_->setText(QString::fromStdString(*text));
}

void TtallixFactForm::FactorizeLblClick() {
    ws_.primeSieve();
    strip_->setFactors(factorList(FactEB_->text().toStdString()));
}

void TtallixFactForm::showSearch(const std::optional<std::string>& answer) {
    if (answer)
        FactEB_->setText(QString::fromStdString(*answer));
    else
        valueErrorLbl_->show();
}

void TtallixFactForm::NextPrimeLblClick() {
    showSearch(nextPrimeText(ws_.primeSieve(), FactEB_->text().toStdString()));
}

void TtallixFactForm::PrevPrimeLblClick() {
    showSearch(prevPrimeText(ws_.primeSieve(), FactEB_->text().toStdString()));
}

void TtallixFactForm::PrimeLineLblClick() {
    if (!lineForm_) lineForm_ = new TtallixPrimeLineForm(ws_.primeSieve(), this);
    lineForm_->show();
    lineForm_->raise();
    lineForm_->activateWindow();
}

TtallixPrimeMapForm* TtallixFactForm::mapForm() {
    if (!mapForm_) mapForm_ = new TtallixPrimeMapForm(ws_.primeSieve(), this);
    return mapForm_;
}

void TtallixFactForm::PrimeMapLblClick() {
    mapForm()->exec();
}

bool TtallixFactForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FactEB_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TtallixFactForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

TtallixFactForm* showFactPrimeWindow(Workspace& workspace, QWidget* owner) {
    auto* form = owner->findChild<TtallixFactForm*>(QString(), Qt::FindDirectChildrenOnly);
    if (!form) form = new TtallixFactForm(workspace, owner);
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

} // namespace tallix
