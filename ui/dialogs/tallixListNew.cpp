#include "ui/dialogs/tallixListNew.h"

#include "engine/lists/ListCatalog.h"
#include "ui/views/ClickLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tallix {

namespace {

ClickLabel* link(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new ClickLabel(name, text, parent);
    l->setCursor(Qt::PointingHandCursor);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    l->setPalette(pal);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    return l;
}

bool sameNameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto up = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
        if (up(a[i]) != up(b[i])) return false;
    }
    return true;
}

} // namespace

TtallixListNewForm::TtallixListNewForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TtallixListNewForm");
    setWindowTitle("New List Definition");
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel("Name of New List", this));
    ListNameEB_ = new QLineEdit(this);
    ListNameEB_->setObjectName("ListNameEB");
    box->addWidget(ListNameEB_);
    box->addWidget(new QLabel("Initialize New List With Data From Another List", this));
    InitWithCB_ = new QComboBox(this);
    InitWithCB_->setObjectName("InitWithCB");
    InitWithCB_->setMinimumWidth(340);
    box->addWidget(InitWithCB_);
    auto* add = link("AddNewListLbl", "Add New List Definition to Collection", this);
    auto* cancel = link("CancelNewListLbl", "Cancel - Do Not Add New List Definition", this);
    box->addSpacing(8);
    box->addWidget(add, 0, Qt::AlignHCenter);
    box->addWidget(cancel, 0, Qt::AlignHCenter);
    connect(add, &ClickLabel::clicked, this, &TtallixListNewForm::accept);
    connect(cancel, &ClickLabel::clicked, this, &TtallixListNewForm::reject);
    connect(ListNameEB_, &QLineEdit::returnPressed, this, &TtallixListNewForm::accept);
}

std::optional<TtallixListNewForm::Choice> TtallixListNewForm::ask(const ListCatalog& catalog) {
    ListNameEB_->clear();
    InitWithCB_->clear();
    InitWithCB_->addItem("Do Not Initialize New List.");
    for (int i = 0; i < catalog.size(); ++i)
        InitWithCB_->addItem(QString::fromStdString(listChooserText(catalog, i, 7, 55)));
    InitWithCB_->setCurrentIndex(0);
    ListNameEB_->setFocus();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Choice{ListNameEB_->text().trimmed().toStdString(), InitWithCB_->currentIndex() - 1};
}

void TtallixListNewForm::accept() {
    if (ListNameEB_->text().trimmed().isEmpty()) return;
    QDialog::accept();
}

TtallixListAppendForm::TtallixListAppendForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TtallixListAppendForm");
    setWindowTitle("Append Specified List");
    auto* box = new QVBoxLayout(this);
    box->addWidget(new QLabel("Data to Append", this));
    ListsCB_ = new QComboBox(this);
    ListsCB_->setObjectName("ListsCB");
    ListsCB_->setMinimumWidth(300);
    box->addWidget(ListsCB_);
    auto* append = link("AppendDataLbl", "Append Data from Selected List", this);
    auto* exit = link("ExitAppendLbl", "( Exit without Append )", this);
    box->addSpacing(8);
    box->addWidget(append, 0, Qt::AlignHCenter);
    box->addWidget(exit, 0, Qt::AlignHCenter);
    connect(append, &ClickLabel::clicked, this, &TtallixListAppendForm::accept);
    connect(exit, &ClickLabel::clicked, this, &TtallixListAppendForm::reject);
}

int TtallixListAppendForm::choose(const ListCatalog& catalog, const std::string& exclude) {
    ListsCB_->clear();
    for (int i = 0; i < catalog.size(); ++i) {
        if (sameNameNoCase(ParseListN(catalog, i).name, exclude)) continue;
        ListsCB_->addItem(QString::fromStdString(listChooserText(catalog, i, 6, 45)), i);
    }
    ListsCB_->setCurrentIndex(-1);
    if (exec() != QDialog::Accepted) return -1;
    return ListsCB_->currentData().toInt();
}

void TtallixListAppendForm::accept() {
    if (ListsCB_->currentIndex() < 0) return;
    QDialog::accept();
}

} // namespace tallix
