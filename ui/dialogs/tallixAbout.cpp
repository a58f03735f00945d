#include "ui/dialogs/tallixAbout.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tallix {

TtallixAboutForm::TtallixAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TtallixAboutForm");
    setWindowTitle("About...");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel("Graphing Abacorn", this);
    QFont big("DejaVu Sans");
    big.setPixelSize(18);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel("v1.17c", this);
    version->setObjectName("VersionLbl");
    auto* text = new QLabel("A graphing and scientific calculator for mathematics students.", this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(version),
                       static_cast<QWidget*>(text), static_cast<QWidget*>(buttons)})
        layout->addWidget(w, 0, w == buttons ? Qt::AlignRight : Qt::AlignHCenter);
    setFixedSize(280, 150);
}

} // namespace tallix
