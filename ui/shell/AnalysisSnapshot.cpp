// Pictures of the f(x) tool windows, each beside the graph it works on.
#include "engine/analysis/GraphAnalysis.h"
#include "engine/func/FuncText.h"
#include "ui/dialogs/tallixDefInt.h"
#include "ui/dialogs/tallixEval.h"
#include "ui/dialogs/tallixXIMM.h"
#include "ui/pages/FxPage.h"
#include "ui/shell/AppState.h"
#include "ui/shell/Snapshot.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/GraphView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTemporaryDir>

namespace tallix {

namespace {

// The graph (354 wide at ratio 1) with `tool` to its right.
QImage besideGraph(GraphView& graph, QWidget& tool) {
    QApplication::processEvents();
    const QImage g = graph.renderImage(1);
    QImage t = tool.grab().toImage();
    t.setDevicePixelRatio(1);
    QImage out(g.width() + t.width() + 8, std::max(g.height(), t.height()), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, g);
    p.drawImage(g.width() + 8, 0, t);
    return out;
}

QString save(const QImage& img, const QString& dir, const char* file) {
    const QString path = QDir(dir).filePath(file);
    return img.save(path, "PNG") ? QString() : QString("cannot write %1").arg(path);
}

} // namespace

QString writeAnalysisSnapshots(const QString& dir) {
    if (!QDir().mkpath(dir)) return QString("cannot create folder %1").arg(dir);
    QTemporaryDir data;
    if (!data.isValid()) return "cannot create a temporary data folder";
    TtallixMainForm form(data.path().toStdString());
    form.selectMode(CalcMode::Fx);
    form.show();
    FuncSet& funcs = form.funcs();
    FxPage& page = *form.fxPage();
    GraphView& graph = *page.graphView();
    setFuncText(funcs, 1, "x^2/8-2");
    setFuncText(funcs, 2, "2sin x");
    form.state().graphWindowChanged();

    // The details window after the crossings over -5..5.
    AnalysisInput in;
    in.xa = -5;
    in.xb = 5;
    TtallixXIMMform& details = *page.detailsForm();
    details.showReport(AnalysisTool::XCross, analyze(funcs, AnalysisTool::XCross, in));
    details.show();
    QApplication::processEvents();
    QImage img = details.grab().toImage();
    img.setDevicePixelRatio(1);
    QString error = save(img, dir, "details.png");
    details.hide();
    if (!error.isEmpty()) return error;

    // Values, slopes, marks and tangents at x = 1.
    TtallixEvalForm& ev = *page.evalForm();
    ev.AdjustFormParamVsFx();
    ev.slopeBox()->setChecked(true);
    ev.graphBox()->setChecked(true);
    ev.xEdit()->setText("1");
    ev.show();
    ev.ComputeFuncVals();
    error = save(besideGraph(graph, ev), dir, "evalfx.png");
    ev.hide();
    if (!error.isEmpty()) return error;

    // The integral of 2 sin x over 0..pi, shaded.
    TtallixDefIntForm& di = *page.defIntForm();
    di.InitPriSecFuncCBs();
    di.primaryList()->setCurrentRow(1);
    di.xminEdit()->setText("0");
    di.xmaxEdit()->setText("PI");
    di.show();
    di.TryEvalDefint();
    error = save(besideGraph(graph, di), dir, "defint.png");
    di.hide();
    return error;
}

} // namespace tallix
