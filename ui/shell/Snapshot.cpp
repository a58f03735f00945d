#include "ui/shell/Snapshot.h"

#include "engine/core/Tokens.h"
#include "engine/func/FuncSet.h"
#include "ui/dialogs/tallixFact.h"
#include "ui/dialogs/tallixGrfOpts.h"
#include "ui/dialogs/tallixHist.h"
#include "ui/dialogs/tallixListEdit.h"
#include "ui/dialogs/tallixPrimeLine.h"
#include "ui/dialogs/tallixPrimeMap.h"
#include "ui/dialogs/tallixTspin.h"
#include "ui/dialogs/tallixVerf.h"
#include "ui/pages/CalcPage.h"
#include "ui/pages/FxPage.h"
#include "ui/pages/ListsPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ExpDisplay.h"
#include "ui/views/FuncList.h"
#include "ui/views/GraphView.h"
#include "ui/views/PrimeViews.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>

#include <functional>

namespace tallix {

namespace {

// Saves a picture of `w` as DIR/file at ratio 1 (the main window at its
// client size); an error text, empty on success.
QString saveWidget(QWidget& w, const QString& dir, const char* file) {
    QApplication::processEvents();
    QImage img = w.grab().toImage();
    img.setDevicePixelRatio(1);
    if (qobject_cast<TtallixMainForm*>(&w) && img.size() != QSize(354, 470))
        img = img.scaled(354, 470);
    const QString path = QDir(dir).filePath(file);
    return img.save(path, "PNG") ? QString() : QString("cannot write %1").arg(path);
}

// Types text on the keyboard; "#n;" presses the calculator key with code n.
void type(TtallixMainForm& form, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '#') {
            const qsizetype end = text.indexOf(';', i);
            form.calcPage()->ProcessExpButtonClick(
                static_cast<TokenCode>(text.mid(i + 1, end - i - 1).toInt()));
            i = end;
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(text[i]));
        QApplication::sendEvent(&form, &press);
    }
}

// Runs `render` on a fresh main window whose data folder is a new temporary
// one (with `ini` copied in first when given), so the user's own files are
// never read or changed. Returns render's error text, or why it could not run.
QString renderInScratchFolder(
    const QString& dir, const QString& ini,
    const std::function<QString(TtallixMainForm& form, const QString& dataDir)>& render) {
    if (!QDir().mkpath(dir)) return QString("cannot create folder %1").arg(dir);
    QTemporaryDir data;
    if (!data.isValid()) return "cannot create a temporary data folder";
    if (!ini.isEmpty() && !QFile::copy(ini, QDir(data.path()).filePath("tallix.ini")))
        return QString("cannot read %1").arg(ini);
    TtallixMainForm form(data.path().toStdString());
    return render(form, data.path());
}

// The Calc mode with autoscroll on and the first lines of a sample session.
void startCalcSession(TtallixMainForm& form) {
    form.state().changeSetting(&SettingsStore::setAutoScroll, true);
    form.selectMode(CalcMode::Calc);
    form.show();
    type(form, "sqrt2*3=");
    type(form, "12nrt4096=");
    type(form, "((1+2)*(3+(4-1)))/4=");
}

// A short suite with passing lines, comments and one failure of each kind.
constexpr const char* kDemoSuite = "; sample suite\n"
                                   "1+1=2\n"
                                   "sqrt(16)=4\n"
                                   "2^10=1024\n"
                                   ";@deg\n"
                                   "sin(30)=0.5\n"
                                   "1+1=3\n"
                                   "2*3=\n"
                                   "2*3\n"
                                   "4!=abc\n"
                                   "ln(e)=1\n";

} // namespace

QString writeHistoryAndVerify(const QString& dir) {
    return renderInScratchFolder(dir, {}, [&](TtallixMainForm& form, const QString& data) {
        startCalcSession(form);
        type(form, "3#1;+2#9;-#17;2+#25;1=");
        type(form, "2*pi/3=");
        type(form, "sin(arccos(0.5))=");
        TtallixHistoryForm& hist = *form.historyForm();
        hist.refresh();
        hist.show();
        QString error = saveWidget(hist, dir, "history.png");
        hist.hide();
        if (!error.isEmpty()) return error;

        const QString suite = QDir(data).filePath("sample.txt");
        QFile f(suite);
        if (!f.open(QIODevice::WriteOnly)) return QString("cannot write %1").arg(suite);
        f.write(kDemoSuite);
        f.close();
        TtallixVerfForm& verf = *form.verfForm();
        verf.runFile(suite);
        QElapsedTimer t;
        t.start();
        while (verf.running() && t.elapsed() < 10000)
            QApplication::processEvents();
        error = saveWidget(verf, dir, "verify.png");
        return error.isEmpty() ? saveWidget(form, dir, "verify-calc.png") : error;
    });
}

QString writeFxDemo(const QString& dir) {
    return renderInScratchFolder(dir, {}, [&](TtallixMainForm& form, const QString&) {
        form.selectMode(CalcMode::Fx);
        form.show();
        auto key = [&](int k) {
            QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
            QApplication::sendEvent(&form, &press);
        };
        auto typeLine = [&](const char* text) {
            type(form, text);
            key(Qt::Key_Return);
        };
        typeLine("x^2/4-3");
        key(Qt::Key_Down);
        typeLine("3sin(2x)");
        key(Qt::Key_Down);
        typeLine("[(x+1)(x-1)]/(x^2+1)");
        // Part of slot 3 selected, as a drag leaves it.
        form.funcs().editText(3, [](TokenLine& t) {
            t.selStart = 2;
            t.selEnd = 6;
        });
        form.fxPage()->funcList()->markDirty();
        QString error = saveWidget(form, dir, "fx-demo.png");
        if (!error.isEmpty()) return error;
        // The trace readout with the pointer resting over the graph, Shift held.
        GraphView* graph = form.graphView();
        graph->hoverAt(QPoint(250, 60), true);
        error = saveWidget(*graph, dir, "graph-trace.png");
        if (!error.isEmpty()) return error;
        form.fxPage()->ToCartPolarLblClick();
        error = saveWidget(form, dir, "fx-polar.png");
        form.fxPage()->ToCartPolarLblClick();
        return error;
    });
}

QString writeCalcDemo(const QString& dir) {
    return renderInScratchFolder(dir, {}, [&](TtallixMainForm& form, const QString&) {
        startCalcSession(form);
        type(form, "frac1/3+1/4=");
        type(form, "2*pi/3=");
        type(form, "cbrt27+4#1;-#17;1+#25;0=");
        type(form, "1/0=");
        type(form, "4#9;+ln(7!)");
        ExpLine& ln = form.calcEditor().current();
        ln.selStart = 4;
        ln.selEnd = 6;
        form.expDisplay()->repaintAll();
        return saveWidget(form, dir, "calc-demo.png");
    });
}

QString writeListsDemo(const QString& dir) {
    return renderInScratchFolder(dir, {}, [&](TtallixMainForm& form, const QString&) {
        AppState& state = form.state();
        const std::vector<std::pair<const char*, std::vector<std::string>>> lists = {
            {"Hours", {"1", "2", "3", "4", "5", "6", "7", "8"}},
            {"Growth", {"2.1", "3.9", "8.2", "15.8", "32.5", "63.0", "130.1", "255.9"}},
            {"Ozone readings", {"0.2", "337.4", "118.2", "884.6", "10.1", "226.5"}}};
        for (const auto& [name, items] : lists) {
            createList(state.workspace().lists(), name, AppState::now(), state.listFolder());
            state.saveListItems(name, items);
        }
        form.show();
        form.selectMode(CalcMode::Lists);
        QString error = saveWidget(form, dir, "lists-demo.png");
        if (!error.isEmpty()) return error;

        ListEditGrid grid;
        grid.addColumn(lists[0].first, lists[0].second, false);
        grid.addColumn(lists[1].first, lists[1].second, false);
        TtallixListEditForm& editor = *form.listsPage()->editForm();
        editor.load(grid, false);
        editor.show();
        error = saveWidget(editor, dir, "listedit.png");
        editor.hide();
        if (!error.isEmpty()) return error;

        form.selectMode(CalcMode::Regr);
        // X: the catalog is sorted, so Hours is the second list after the two integer lists.
        form.findChild<QComboBox*>("XListCB")->setCurrentIndex(3);
        form.findChild<QComboBox*>("YListCB")->setCurrentIndex(0);
        form.findChild<QComboBox*>("RegrModelCB")->setCurrentIndex(int(RegrModel::Exponential));
        return saveWidget(form, dir, "regr-demo.png");
    });
}

QString writePrimeSnapshots(const QString& dir) {
    return renderInScratchFolder(dir, {}, [&](TtallixMainForm& form, const QString&) {
        form.show();
        TtallixFactForm& fact = *showFactPrimeWindow(form.state().workspace(), &form);
        fact.edit()->setText("360");
        fact.FactorizeLblClick();
        QString error = saveWidget(fact, dir, "factor.png");
        if (!error.isEmpty()) return error;
        fact.PrimeLineLblClick();
        error = saveWidget(*fact.lineForm(), dir, "primeline.png");
        if (!error.isEmpty()) return error;
        const QString map = QDir(dir).filePath("primemap.png");
        if (!fact.mapForm()->mapBox()->renderImage(1).save(map, "PNG"))
            return QString("cannot write %1").arg(map);
        return QString();
    });
}

QString writeSnapshots(const QString& dir, const SnapshotOptions& options) {
    return renderInScratchFolder(dir, options.ini, [&](TtallixMainForm& form, const QString&) {
        form.funcs().PolarMode = options.polar;
        form.funcs().ParamMode = options.param;
        form.state().graphWindowChanged();
        form.show();
        const std::array<std::pair<CalcMode, const char*>, 5> shots = {{
            {CalcMode::Calc, "calc.png"},
            {CalcMode::Fx, "fx.png"},
            {CalcMode::Lists, "lists.png"},
            {CalcMode::Regr, "regr.png"},
            {CalcMode::Matrix, "matrix.png"},
        }};
        for (const auto& [mode, file] : shots) {
            form.selectMode(mode);
            if (QString error = saveWidget(form, dir, file); !error.isEmpty()) return error;
        }
        // The graph alone at double density, for a closer look.
        const QString graph = QDir(dir).filePath("graph.png");
        if (!form.graphView()->renderImage(2).save(graph, "PNG"))
            return QString("cannot write %1").arg(graph);
        // The graph's two windows as they open over this graph.
        TtallixGraphPBoptsForm options(form.state(), &form);
        options.loadValues(form.graphView()->plotLayout(), form.graphView());
        options.show();
        QString error = saveWidget(options, dir, "grfopts.png");
        options.hide();
        if (!error.isEmpty()) return error;
        TtallixTspinForm spin(form.state(), &form);
        spin.show();
        return saveWidget(spin, dir, "trange.png");
    });
}

} // namespace tallix
