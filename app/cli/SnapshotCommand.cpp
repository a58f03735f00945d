// Built only with the Qt window (TALLIX_WITH_UI).
#include "app/cli/Commands.h"

#include "ui/Snapshot.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

namespace tallix::cli {

int runSnapshot(std::span<char* const> args) {
    const bool demo = !args.empty() && std::string_view(args[0]) == "--calc-demo";
    if (demo) args = args.subspan(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tallix-cli snapshot [--calc-demo] DIR\n");
        return 2;
    }
    // No window is shown: render with the offscreen platform at ratio 1.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    int argc = 1;
    char name[] = "tallix-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(args[0]);
    QString error = demo ? writeCalcDemo(dir) : writeSnapshots(dir);
    if (!demo && error.isEmpty()) error = writeHistoryAndVerify(dir);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tallix-cli: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    if (demo)
        std::printf("wrote calc-demo.png to %s\n", args[0]);
    else
        std::printf("wrote calc.png fx.png lists.png regr.png matrix.png history.png verify.png "
                    "verify-calc.png to %s\n", args[0]);
    return 0;
}

} // namespace tallix::cli
