#include "ui/pages/ModePage.h"

#include "ui/dialogs/tallixFact.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/Keypad.h"
#include "ui/views/PaintBox.h"

#include <QKeyEvent>

namespace tallix {

const QColor kActiveLbl = winColor(0x0000FF);
const QColor kInactiveLbl = winColor(0x800000);

QFont uiFont(int pixelSize, bool bold) {
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

QLabel* placeholderLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(uiFont(10));
    l->adjustSize();
    l->setEnabled(false);
    return l;
}

QLabel* pendingLabel(QWidget* page) {
    auto* l = new QLabel(page);
    l->setObjectName("pendingCharsLbl");
    l->setFont(uiFont(11, true));
    l->setGeometry(layout::kMargin, layout::kClientHeight - 18, 50, 14);
    return l;
}

QLabel* factPrimeLabel(AppState& state, QWidget* page) {
    auto* l = new ClickLabel("FactPrimeLbl", "FactPrime", page);
    l->setCursor(Qt::PointingHandCursor);
    QObject::connect(l, &ClickLabel::clicked, page,
                     [&state, page] { showFactPrimeWindow(state.workspace(), page->window()); });
    return l;
}

ModePage::ModePage(const char* name, AppState& state, QWidget* shell)
    : QWidget(shell), state_(state) {
    setObjectName(name);
    setGeometry(0, 0, layout::kClientWidth, layout::kClientHeight);
    hide();
}

bool ModePage::keyPress(QKeyEvent*) {
    return false;
}

bool ModePage::clipboardKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_C:
        copySelected();
        return true;
    case Qt::Key_X:
        cutSelected();
        return true;
    case Qt::Key_V:
        pasteSelected();
        return true;
    default:
        return false;
    }
}

void ModePage::setPressedColor(int winColorValue) {
    for (Keypad* k : keypads_)
        k->setPressedColor(winColorValue);
}

TrigModeLabels::TrigModeLabels(AppState& state, QWidget* page) : QObject(page) {
    caption_ = new QLabel("Trig Mode :", page);
    caption_->setFont(uiFont(8));
    caption_->adjustSize();
    label_ = new ClickLabel("TrigModeLbl", "radians", page);
    label_->setFont(uiFont(10, true));
    label_->setCursor(Qt::PointingHandCursor);
    setInk(label_, kActiveLbl);
    connect(label_, &ClickLabel::clicked, this, [&state] {
        state.setTrigMode(state.trigMode() == TrigMode::Degrees ? TrigMode::Radians
                                                                : TrigMode::Degrees);
    });
    connect(&state, &AppState::trigModeChanged, this, &TrigModeLabels::show);
    show(state.trigMode());
}

void TrigModeLabels::show(TrigMode t) {
    const bool deg = t == TrigMode::Degrees;
    label_->setText(deg ? "degrees" : "radians");
    label_->setToolTip(deg ? "Click for Radian Trig functions" : "Click for Degree Trig functions");
    label_->adjustSize();
}

void TrigModeLabels::place(int x, int y) {
    caption_->move(x, y);
    caption_->show();
    label_->move(x, y + 14);
    label_->show();
}

} // namespace tallix
