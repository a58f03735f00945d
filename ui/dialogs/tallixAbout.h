#pragma once

#include <QDialog>

namespace tallix {

// The about window: program name and version, closed with OK.
class TtallixAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TtallixAboutForm(QWidget* parent);
};

} // namespace tallix
