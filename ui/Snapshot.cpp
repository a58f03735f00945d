#include "ui/Snapshot.h"

#include "engine/FuncSet.h"
#include "store/DataFolder.h"
#include "ui/GraphView.h"
#include "ui/tallixMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

namespace tallix {

QString writeSnapshots(const QString& dir, const SnapshotOptions& options) {
    if (!QDir().mkpath(dir)) return QString("cannot create folder %1").arg(dir);
    QTemporaryDir data;
    if (!data.isValid()) return "cannot create a temporary data folder";
    if (!options.ini.isEmpty() &&
        !QFile::copy(options.ini, QDir(data.path()).filePath("tallix.ini")))
        return QString("cannot read %1").arg(options.ini);
    DataFolder::setOverride(data.path().toStdString());

    QString error;
    {
        TtallixMainForm form;
        form.funcs().PolarMode = options.polar;
        form.funcs().ParamMode = options.param;
        form.graphChanged();
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
            QApplication::processEvents();
            QImage img = form.grab().toImage();
            img.setDevicePixelRatio(1);
            if (img.size() != QSize(354, 470)) img = img.scaled(354, 470);
            const QString path = QDir(dir).filePath(file);
            if (!img.save(path, "PNG")) {
                error = QString("cannot write %1").arg(path);
                break;
            }
        }
        // The graph alone at double density, for a closer look.
        const QString graph = QDir(dir).filePath("graph.png");
        if (error.isEmpty() && !form.graphView()->renderImage(2).save(graph, "PNG"))
            error = QString("cannot write %1").arg(graph);
    }
    DataFolder::setOverride({});
    return error;
}

} // namespace tallix
