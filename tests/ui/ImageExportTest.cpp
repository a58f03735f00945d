#include "ui/export/ImageExport.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/ui/UiTest.h"
#include "ui/pages/CalcPage.h"
#include "ui/pages/FxPage.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/ExpDisplay.h"
#include "ui/views/FuncList.h"
#include "ui/views/GraphView.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>

#include <set>

using namespace tallix;

namespace {

class ImageExport : public test::UiTest {
protected:
    // The item `which` ("To File", "To Clipboard") of the entry `caption`.
    static QAction* item(QMenu* menu, const QString& caption, const char* which) {
        for (QAction* a : menu->actions())
            if (a->text() == caption && a->menu())
                for (QAction* i : a->menu()->actions())
                    if (i->text() == which) return i;
        return nullptr;
    }
    QString file(const char* name) const { return dir_.filePath(name); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static bool samePixels(const QImage& a, const QImage& b) {
        return a.size() == b.size() &&
               a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
    }
};

// Every picture entry of the keypad menus and the regression menu's two, with
// exact captions, "To File" and "To Clipboard", live; the regression menu ends
// with its separator and copy command below them.
TEST_F(ImageExport, MenusHoldEveryPictureEntry) {
    TtallixMainForm form(dataFolder());
    form.show();
    QMenu* regr = form.findChild<QMenu*>("RegrRclickPU");
    ASSERT_NE(regr, nullptr);
    const QList<QAction*> regrActions = regr->actions();
    ASSERT_EQ(regrActions.size(), 4);
    EXPECT_TRUE(regrActions[2]->isSeparator());
    EXPECT_EQ(regrActions[3]->text(), "Copy Results to Graphing Calculator");
    const std::pair<QMenu*, QStringList> menus[] = {
        {form.findChild<QMenu*>("CalcPU"),
         {"Save Display as BitMap", "Save Display as Jpeg", "Save Calculator Image as BitMap",
          "Save Calculator Images a Jpeg"}},
        {form.findChild<QMenu*>("FuncPU"),
         {"Save Graph as BitMap", "Save Graph as Jpeg", "Save Graph + Functions as BitMap",
          "Save Graph + Functions as Jpeg", "Save Calculator Image as BitMap",
          "Save Calculator Image as Jpeg"}},
        {form.findChild<QMenu*>("MatPU"),
         {"Save Display as BitMap", "Save Display as Jpeg", "Save Calculator Image as BitMap",
          "Save Calculator Image as Jpeg"}},
        {regr, {"Save Calculator Image as BitMap", "Save Calculator Image as Jpeg"}},
    };
    for (const auto& [menu, captions] : menus) {
        ASSERT_NE(menu, nullptr);
        SCOPED_TRACE(menu->objectName().toStdString());
        emit menu->aboutToShow();
        QStringList found;
        for (QAction* a : menu->actions()) {
            if (!a->menu()) continue;
            found << a->text();
            SCOPED_TRACE(a->text().toStdString());
            ASSERT_EQ(a->menu()->actions().size(), 2);
            ASSERT_NE(item(menu, a->text(), "To File"), nullptr);
            EXPECT_TRUE(a->isEnabled());
            QApplication::clipboard()->clear();
            item(menu, a->text(), "To Clipboard")->trigger();
            EXPECT_FALSE(QApplication::clipboard()->image().isNull());
        }
        EXPECT_EQ(found, captions);
    }
    // The whole window, in device pixels.
    item(regr, "Save Calculator Image as BitMap", "To Clipboard")->trigger();
    const QImage got = QApplication::clipboard()->image();
    EXPECT_TRUE(samePixels(got, form.grab().toImage()));
    EXPECT_EQ(got.size(), form.size() * form.devicePixelRatio());
}

// A paint box's capture is its own picture, pixel for pixel, in 8 bits whose
// colour table is exactly the colours used; the graph + functions picture
// spans both boxes, with the graph unchanged at its top.
TEST_F(ImageExport, CapturesEqualThePaintBoxes) {
    TtallixMainForm form(dataFolder());
    form.show();
    for (QChar c : QString("sqrt2*3=")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&form, &press);
    }
    const QImage shown = form.expDisplay()->image().convertToFormat(QImage::Format_RGB32);
    const QImage got = capturePaintBox(*form.expDisplay());
    EXPECT_EQ(got.format(), QImage::Format_Indexed8);
    EXPECT_TRUE(samePixels(got, shown));
    std::set<QRgb> used;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            used.insert(shown.pixel(x, y));
    ASSERT_GT(used.size(), 2u);
    const QList<QRgb> table = got.colorTable();
    EXPECT_EQ(std::set<QRgb>(table.begin(), table.end()), used);

    // A function list narrower than the graph: as wide as the graph, from its left edge.
    EXPECT_EQ(graphWithFunctionsRect(QRect(5, 22, 344, 150), QRect(5, 200, 330, 90)),
              QRect(5, 22, 344, 268));
    EXPECT_EQ(graphWithFunctionsRect(QRect(10, 20, 100, 50), QRect(4, 80, 120, 30)),
              QRect(4, 20, 120, 90));
    form.selectMode(CalcMode::Fx);
    GraphView& graph = *form.graphView();
    FuncList& list = *form.fxPage()->funcList();
    const QImage both = captureGraphWithFunctions(form, graph, list);
    const QRect g(graph.mapTo(&form, QPoint()), graph.size());
    const QRect area = graphWithFunctionsRect(g, QRect(list.mapTo(&form, QPoint()), list.size()));
    const qreal ratio = form.devicePixelRatio();
    EXPECT_EQ(both.size(), area.size() * ratio);
    EXPECT_TRUE(
        samePixels(both.copy(QRect((g.topLeft() - area.topLeft()) * ratio, g.size() * ratio)),
                   capturePaintBox(graph)));
}

// BMP keeps the 8-bit table; JPEG is full colour at quality 100 even for a
// grey picture; the clipboard gets the decoded JPEG.
TEST_F(ImageExport, BmpKeepsItsDepthAndJpegIsFullColourAtQuality100) {
    QImage grey(40, 20, QImage::Format_RGB32);
    for (int x = 0; x < 40; ++x) // 20 shades
        for (int y = 0; y < 20; ++y)
            grey.setPixel(x, y, qRgb(x / 2 * 10, x / 2 * 10, x / 2 * 10));
    const QImage indexed = toPalettePicture(grey);
    const QByteArray bmp = encodePicture(indexed, ImageFormat::Bitmap);
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(bmp[28], 8); // bits per pixel
    EXPECT_TRUE(samePixels(QImage::fromData(bmp, "BMP"), grey));

    const QByteArray jpg = encodePicture(indexed, ImageFormat::Jpeg);
    ASSERT_TRUE(jpg.startsWith("\xFF\xD8"));
    // Walk the markers up to the scan: every quantisation entry is 1.
    int tables = 0, components = 0;
    auto at = [&](qsizetype i) { return static_cast<uchar>(jpg[i]); };
    for (qsizetype i = 2; i + 4 <= jpg.size() && at(i + 1) != 0xDA;
         i += 2 + (at(i + 2) << 8 | at(i + 3))) {
        ASSERT_EQ(at(i), 0xFF);
        const qsizetype end = i + 2 + (at(i + 2) << 8 | at(i + 3));
        if (at(i + 1) == 0xC0) components = at(i + 9);
        for (qsizetype t = i + 4; at(i + 1) == 0xDB && t < end; t += 65, ++tables)
            for (int k = 1; k <= 64; ++k)
                ASSERT_EQ(at(t + k), 1) << "table " << tables << " entry " << k;
    }
    EXPECT_EQ(tables, 2);
    EXPECT_EQ(components, 3);
    EXPECT_TRUE(
        samePixels(clipboardPicture(indexed, ImageFormat::Jpeg), QImage::fromData(jpg, "JPEG")));
}

// "To File": the dialog's folder, presets and remembered names, a cancel that
// writes nothing, and a refused write that names the file and keeps it.
TEST_F(ImageExport, SaveDialogsRememberTheirNamesAndFailuresKeepTheOldFile) {
    TtallixMainForm form(dataFolder());
    form.show();
    std::vector<SaveRequest> asked;
    QString answer;
    form.imageExporter().setFileChooser([&](const SaveRequest& r, QWidget*) {
        asked.push_back(r);
        return answer;
    });
    auto run = [&](const char* caption, const QString& chosen) {
        answer = chosen;
        item(form.findChild<QMenu*>("CalcPU"), caption, "To File")->trigger();
    };

    run("Save Display as BitMap", ""); // cancelled
    run("Save Calculator Image as BitMap", file("one.bmp"));
    run("Save Calculator Image as BitMap", file("two.bmp"));
    run("Save Calculator Images a Jpeg", file("one.jpg"));
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0].fileName, ""); // the display presets nothing
    EXPECT_EQ(asked[0].filter, "BitMap (*.bmp);;All Files (*)");
    EXPECT_EQ(asked[0].folder.toStdString(), dataFolder().string());
    EXPECT_EQ(asked[1].fileName, "CalculatorScreenCapture.bmp");
    EXPECT_EQ(asked[2].fileName, file("one.bmp")); // the name chosen the first time
    EXPECT_EQ(asked[3].fileName, "CalculatorScreenCapture.jpg");
    EXPECT_TRUE(samePixels(QImage(file("two.bmp")), captureWindow(form)));
    EXPECT_TRUE(bytesOf(file("one.jpg")).startsWith("\xFF\xD8"));

    // A full disk: the message names the file and why; the old file stays.
    // (The command lets pending events run first, so the box is awaited.)
    const QByteArray before = bytesOf(file("two.bmp"));
    QString warning;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            warning = box->text();
            box->close();
        }
    });
    poll.start(10);
    {
        test::FileSizeLimit full(64);
        ASSERT_TRUE(full.ok());
        run("Save Display as BitMap", file("two.bmp"));
    }
    EXPECT_TRUE(warning.startsWith("Unable to save the picture.\nCannot write " + file("two.bmp")))
        << warning.toStdString();
    EXPECT_EQ(bytesOf(file("two.bmp")), before);
}

} // namespace
