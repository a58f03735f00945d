#include "ui/dialogs/tallixMatDialogs.h"

#include "engine/matrix/MatMessages.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallix {

HintedDialog::HintedDialog(const AppState& state, QWidget* parent)
    : QDialog(parent), hintState_(state) {
    installEventFilter(this);
}

bool HintedDialog::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip && !hintState_.hintsEnabled()) return true;
    return QDialog::event(e);
}

bool HintedDialog::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::ToolTip && !hintState_.hintsEnabled()) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w))) return true;
    }
    return QDialog::eventFilter(watched, e);
}

QString matSourceEntry(const MatDef& d) {
    QString t =
        QString::fromStdString(d.name + "       [" + d.rows + "x" + d.cols + "] " + d.elements);
    if (t.size() > 55) t = t.left(55) + "...";
    return t;
}

TtallixMatNewForm::TtallixMatNewForm(const AppState& state, const MatCatalog& catalog,
                                     QWidget* parent)
    : HintedDialog(state, parent) {
    setObjectName("TtallixMatNewForm");
    setWindowTitle("New Matrix Definition");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel("Name of New Matrix"), 0, 0);
    name_ = new QLineEdit;
    name_->setObjectName("NameEdit");
    grid->addWidget(name_, 0, 1);
    grid->addWidget(new QLabel("Initialize New Matrix from Existing Matrix"), 1, 0, 1, 2);
    source_ = new QListWidget;
    source_->setObjectName("SourceLB");
    source_->addItem(QString::fromUtf8(matmsg::kDoNotInitialize.data(),
                                       static_cast<qsizetype>(matmsg::kDoNotInitialize.size())));
    for (int i = 0; i < catalog.size(); ++i)
        source_->addItem(matSourceEntry(ParseMatDefN(catalog, i)));
    source_->setCurrentRow(0);
    source_->setMinimumWidth(380);
    grid->addWidget(source_, 2, 0, 1, 2);
    grid->addWidget(new QLabel("Number of Rows"), 3, 0);
    rows_ = new QComboBox;
    rows_->setObjectName("RowsCB");
    grid->addWidget(rows_, 3, 1);
    grid->addWidget(new QLabel("Number of Columns"), 4, 0);
    cols_ = new QComboBox;
    cols_->setObjectName("ColsCB");
    cols_->setEditable(true);
    grid->addWidget(cols_, 4, 1);
    for (int n = 1; n <= kMatMaxDim; ++n) {
        rows_->addItem(QString::number(n));
        cols_->addItem(QString::number(n));
    }
    rows_->setCurrentIndex(-1);
    cols_->setCurrentIndex(-1);
    cols_->setEditText(QString());
    auto* add = new QPushButton("Add New Matrix to Collection");
    add->setObjectName("AddBtn");
    add->setDefault(true);
    auto* cancel = new QPushButton("Cancel - Do Not Add New Matrix Definition");
    cancel->setObjectName("CancelBtn");
    grid->addWidget(add, 5, 0, 1, 2);
    grid->addWidget(cancel, 6, 0, 1, 2);
    name_->setToolTip("Enter the name of the new matrix");
    source_->setToolTip("Select a matrix to copy the initial values from");
    connect(add, &QPushButton::clicked, this, &TtallixMatNewForm::add);
    connect(name_, &QLineEdit::returnPressed, this, &TtallixMatNewForm::add);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    name_->setFocus();
}

void TtallixMatNewForm::add() {
    const bool counts = rows_->currentIndex() >= 0 && !cols_->currentText().trimmed().isEmpty();
    if (name_->text().trimmed().isEmpty() || !(counts || source_->currentRow() >= 0)) return;
    accept();
}

MatCreateRequest TtallixMatNewForm::request() const {
    MatCreateRequest r;
    r.name = name_->text().toStdString();
    r.rows = rows_->currentIndex() >= 0 ? rows_->currentText().toStdString() : std::string();
    r.cols = cols_->currentText().trimmed().toStdString();
    if (source_->currentRow() > 0) r.source = source_->currentItem()->text().toStdString();
    return r;
}

TtallixSaveMatAsForm::TtallixSaveMatAsForm(const AppState& state, QWidget* parent)
    : HintedDialog(state, parent) {
    setObjectName("TtallixSaveMatAsForm");
    setWindowTitle("Save Mat Results As...");
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel("Saved Result Matrix Name"));
    name_ = new QLineEdit("Temp");
    name_->setObjectName("NameEdit");
    name_->selectAll();
    box->addWidget(name_);
    auto* save = new QPushButton("Do Save");
    save->setObjectName("SaveBtn");
    save->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("CancelBtn");
    box->addWidget(save);
    box->addWidget(cancel);
    connect(save, &QPushButton::clicked, this, &TtallixSaveMatAsForm::doSave);
    connect(name_, &QLineEdit::returnPressed, this, &TtallixSaveMatAsForm::doSave);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    name_->setFocus();
}

QString TtallixSaveMatAsForm::name() const {
    return name_->text().trimmed();
}

void TtallixSaveMatAsForm::doSave() {
    if (isValidMatName(name().toStdString())) accept();
}

TtallixMatOptionsForm::TtallixMatOptionsForm(AppState& state, bool canSave, QWidget* parent)
    : HintedDialog(state, parent) {
    setObjectName("TtallixMatOptionsForm");
    setWindowTitle(QString::fromUtf8(matmsg::kOptionsCaption.data(),
                                     static_cast<qsizetype>(matmsg::kOptionsCaption.size())));
    auto* box = new QVBoxLayout(this);
    const Settings& v = state.settings();
    struct Item {
        const char* caption;
        bool value;
        WriteResult (SettingsStore::*write)(bool);
    };
    const std::array<Item, 4> items = {{
        {"Allow rational reductions", v.matrational, &SettingsStore::setMatRational},
        {"Allow frac reduction to pi multiples", v.matpireduction,
         &SettingsStore::setMatPiReduction},
        {"Allow Rref,Inv,Det upon Prev Answer", v.matfuncprevansw,
         &SettingsStore::setMatFuncPrevAnsw},
        {"Clear Matrix Algebra Expression Upon Entry", v.matclrexpuponentry,
         &SettingsStore::setMatClrExpUponEntry},
    }};
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* cb = new QCheckBox(items[i].caption);
        cb->setChecked(items[i].value);
        const auto write = items[i].write;
        connect(cb, &QCheckBox::toggled, this,
                [&state, write](bool on) { state.changeSetting(write, on); });
        box->addWidget(cb);
        boxes_[i] = cb;
    }
    save_ = new ClickLabel("SaveResultsLbl", "Save Results Matrix As...", this);
    QPalette pal = save_->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, QColor(0, 0, 255));
    pal.setColor(QPalette::Inactive, QPalette::WindowText, QColor(0, 0, 255));
    save_->setPalette(pal);
    save_->setEnabled(canSave);
    save_->setCursor(Qt::PointingHandCursor);
    box->addWidget(save_);
    connect(save_, &ClickLabel::clicked, this, [this] {
        if (!save_->isEnabled()) return;
        accept();
        emit saveRequested();
    });
}

} // namespace tallix
