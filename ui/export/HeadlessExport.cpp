#include "ui/export/HeadlessExport.h"

#include "ui/pages/FxPage.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/FuncList.h"
#include "ui/views/GraphView.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tallix {

namespace {

CalcMode defaultMode(PictureSource s) {
    return s == PictureSource::Graph || s == PictureSource::GraphWithFunctions ? CalcMode::Fx
                                                                               : CalcMode::Calc;
}

} // namespace

QString exportPicture(const ExportRequest& request) {
    const CalcMode mode = request.mode.value_or(defaultMode(request.source));
    const bool graphSource = request.source == PictureSource::Graph ||
                             request.source == PictureSource::GraphWithFunctions;
    if (graphSource && mode != CalcMode::Fx) return "the graph is shown in the f(x) mode only";
    if (mode == CalcMode::Lists) return "the Lists mode has no pictures";
    if (request.source == PictureSource::Display && mode == CalcMode::Fx)
        return "the f(x) mode has no display (use --source graph)";

    QTemporaryDir data;
    if (!data.isValid()) return "cannot create a temporary data folder";
    if (!request.ini.isEmpty() &&
        !QFile::copy(request.ini, QDir(data.path()).filePath("tallix.ini")))
        return QString("cannot read %1").arg(request.ini);
    TtallixMainForm form(QFile::encodeName(data.path()).toStdString());
    form.selectMode(mode);
    form.show();

    QImage picture;
    switch (request.source) {
    case PictureSource::Display: {
        QWidget* box = form.page(mode)->displayBox();
        if (!box) return "the Regr mode has no display (use --source window)";
        picture = capturePaintBox(*box);
        break;
    }
    case PictureSource::Graph:
        picture = capturePaintBox(*form.graphView());
        break;
    case PictureSource::GraphWithFunctions:
        picture = captureGraphWithFunctions(form, *form.graphView(), *form.fxPage()->funcList());
        break;
    case PictureSource::Window:
        picture = captureWindow(form);
        break;
    }
    const QString error = writePictureFile(request.out, picture, request.format);
    // The message box text: its first line is for the window only.
    return error.isEmpty() ? error : error.section('\n', 1);
}

} // namespace tallix
