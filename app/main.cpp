// tallix: the calculator window.
#include "ui/shell/tallixMain.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tallix::TtallixMainForm form;
    form.show();
    return app.exec();
}
