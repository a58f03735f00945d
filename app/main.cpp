// tallix: the calculator window.
#include "store/DataFolder.h"
#include "ui/shell/tallixMain.h"

#include <QApplication>

#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The one place that decides where the program's files live.
    const std::filesystem::path dataFolder = tallix::DataFolder::choose(
        tallix::DataFolder::programFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    // Temporaries a crashed save left behind.
    tallix::DataFolder::removeStaleTemporaries(dataFolder);
    tallix::TtallixMainForm form(dataFolder);
    form.show();
    return app.exec();
}
