#include "store/AtomicFile.h"
#include "ui/dialogs/tallixGJanimate.h"
#include "ui/pages/MatrixPage.h"
#include "ui/shell/Snapshot.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/MatDisplay.h"
#include "ui/views/MatList.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QTemporaryDir>

#include <array>

namespace tallix {

namespace {

constexpr const char* kDemoCatalog = "A,46000.4375,46000.4375,2,2,[4,7,2,6]\n"
                                     "B,46001.6041666667,46001.6041666667,2,2,[1,2,3,4]\n"
                                     "C,46002.375,46002.375,3,3,[2,1,1,1,3,2,1,0,0]\n"
                                     "H,46003.5,46003.5,2,3,[2,1,1,1,3,2]\n"
                                     "V,46004.75,46004.75,3,1,[1,-2.5,1/3]\n";

QString save(QWidget& w, const QString& dir, const char* file) {
    QApplication::processEvents();
    QImage img = w.grab().toImage();
    img.setDevicePixelRatio(1);
    const QString path = QDir(dir).filePath(file);
    return img.save(path, "PNG") ? QString() : QString("cannot write %1").arg(path);
}

void typeKeys(QWidget& form, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c == '\r' ? Qt::Key_Return : 0, Qt::NoModifier,
                        QString(c));
        QApplication::sendEvent(&form, &press);
    }
}

} // namespace

QString writeMatrixSnapshots(const QString& dir) {
    if (!QDir().mkpath(dir)) return QString("cannot create folder %1").arg(dir);
    QTemporaryDir data;
    if (!data.isValid()) return "cannot create a temporary data folder";
    const std::filesystem::path folder = data.path().toStdString();
    if (!writeFileAtomically(folder / "tallixMats.Lst", kDemoCatalog).ok)
        return "cannot write the sample matrix catalog";
    TtallixMainForm form(folder);
    form.show();
    form.selectMode(CalcMode::Matrix);
    auto* page = form.findChild<MatrixPage*>("MatrixPage");
    page->list()->setCurrentRow(2);
    QString error = save(form, dir, "matrix-list.png");
    if (!error.isEmpty()) return error;

    page->EditSelected();
    typeKeys(form, "\r");
    page->cursorTick();
    if (error = save(form, dir, "matrix-edit.png"); !error.isEmpty()) return error;

    page->selectSubMode(MatSubMode::Algeb);
    typeKeys(form, "2A+B^T");
    if (error = save(form, dir, "matrix-algeb-typed.png"); !error.isEmpty()) return error;
    typeKeys(form, "=");
    if (error = save(form, dir, "matrix-algeb.png"); !error.isEmpty()) return error;

    page->selectSubMode(MatSubMode::List);
    page->list()->setCurrentRow(3);
    page->operationClicked(MatSubMode::Rref);
    page->justDoIt();
    page->rrefMenu()->hide();
    if (error = save(form, dir, "matrix-rref.png"); !error.isEmpty()) return error;
    // The display alone at double density, for a closer look.
    const QString rref2 = QDir(dir).filePath("matrix-rref-2x.png");
    if (!page->display()->renderImage(2).save(rref2, "PNG"))
        return QString("cannot write %1").arg(rref2);

    page->selectSubMode(MatSubMode::List);
    page->list()->setCurrentRow(2);
    page->operationClicked(MatSubMode::Det);
    if (error = save(form, dir, "matrix-det.png"); !error.isEmpty()) return error;

    // Three steps of the animation of H.
    MatGrid h;
    h.rows = 2;
    h.cols = 3;
    const Extended cells[] = {2, 1, 1, 1, 3, 2};
    for (int i = 0; i < 6; ++i)
        h.at(i / 3, i % 3) = cells[i];
    TtallixGJanimateForm gj(form.state(), h, &form);
    gj.show();
    const std::array<std::pair<int, const char*>, 3> steps = {
        {{0, "gj-begin.png"}, {4, "gj-scaled.png"}, {6, "gj-sweep.png"}}};
    int at = 0;
    for (const auto& [step, file] : steps) {
        for (; at < step; ++at)
            gj.advance();
        if (error = save(gj, dir, file); !error.isEmpty()) return error;
    }
    return QString();
}

} // namespace tallix
