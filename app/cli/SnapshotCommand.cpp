// Built only with the Qt window (TALLIX_WITH_UI).
#include "app/cli/Commands.h"

#include "ui/shell/Snapshot.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace tallix::cli {

int runSnapshot(std::span<char* const> args) {
    SnapshotOptions options;
    const char* dir = nullptr;
    bool demo = false;
    bool bad = false;
    for (std::size_t i = 0; i < args.size() && !bad; ++i) {
        if (std::strcmp(args[i], "--ini") == 0 && i + 1 < args.size())
            options.ini = QString::fromLocal8Bit(args[++i]);
        else if (std::strcmp(args[i], "--calc-demo") == 0)
            demo = true;
        else if (std::strcmp(args[i], "--polar") == 0)
            options.polar = true;
        else if (std::strcmp(args[i], "--param") == 0)
            options.param = true;
        else if (args[i][0] != '-' && !dir)
            dir = args[i];
        else
            bad = true;
    }
    if (bad || !dir) {
        std::fprintf(
            stderr,
            "usage: tallix-cli snapshot [--calc-demo] [--ini FILE] [--polar] [--param] DIR\n");
        return 2;
    }
    // No window is shown: render with the offscreen platform at ratio 1.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    int argc = 1;
    char name[] = "tallix-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(dir);
    QString error = demo ? writeCalcDemo(folder) : writeSnapshots(folder, options);
    if (!demo && error.isEmpty()) error = writeHistoryAndVerify(folder);
    if (!demo && error.isEmpty()) error = writeFxDemo(folder);
    if (!demo && error.isEmpty()) error = writePrimeSnapshots(folder);
    if (!demo && error.isEmpty()) error = writeMatrixSnapshots(folder);
    if (!demo && error.isEmpty()) error = writeAnalysisSnapshots(folder);
    if (!demo && error.isEmpty()) error = writeListsDemo(folder);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tallix-cli: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    if (demo)
        std::printf("wrote calc-demo.png to %s\n", dir);
    else
        std::printf(
            "wrote calc.png fx.png lists.png regr.png matrix.png graph.png history.png "
            "verify.png verify-calc.png grfopts.png trange.png fx-demo.png fx-polar.png "
            "graph-trace.png factor.png primeline.png primemap.png matrix-list.png "
            "matrix-edit.png matrix-algeb-typed.png matrix-algeb.png matrix-rref.png "
            "matrix-rref-2x.png matrix-det.png gj-begin.png gj-scaled.png gj-sweep.png "
            "details.png evalfx.png defint.png lists-demo.png listedit.png regr-demo.png to %s\n",
            dir);
    return 0;
}

} // namespace tallix::cli
