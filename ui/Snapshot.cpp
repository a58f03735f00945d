#include "ui/Snapshot.h"

#include "store/DataFolder.h"
#include "ui/tallixMain.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>

namespace tallix {

QString writeSnapshots(const QString& dir) {
    if (!QDir().mkpath(dir)) return QString("cannot create folder %1").arg(dir);
    QTemporaryDir data;
    if (!data.isValid()) return "cannot create a temporary data folder";
    DataFolder::setOverride(data.path().toStdString());

    QString error;
    {
        TtallixMainForm form;
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
    }
    DataFolder::setOverride({});
    return error;
}

} // namespace tallix
