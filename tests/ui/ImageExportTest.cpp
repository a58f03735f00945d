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
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <set>

using namespace tallix;

namespace {

class ImageExport : public test::UiTest {
protected:
    // The submenu `caption` of `menu` (nullptr when there is none).
    static QMenu* entry(QMenu* menu, const QString& caption) {
        for (QAction* a : menu->actions())
            if (a->text() == caption) return a->menu();
        return nullptr;
    }
    static QAction* item(QMenu* menu, const QString& caption, const char* which) {
        QMenu* sub = entry(menu, caption);
        if (!sub) return nullptr;
        for (QAction* a : sub->actions())
            if (a->text() == which) return a;
        return nullptr;
    }
    static void type(TtallixMainForm& form, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&form, &press);
        }
    }
    QString file(const char* name) const { return dir_.filePath(name); }

    // Like closeNextMessageBox, but keeps looking until a box is up: the
    // command lets pending events run before it shows one.
    static void closeMessageBoxWhenShown(QString& text) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, &text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->close();
                poll->deleteLater();
            }
        });
        poll->start(10);
    }

    static std::set<QRgb> colours(const QImage& img) {
        std::set<QRgb> s;
        const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x)
                s.insert(rgb.pixel(x, y));
        return s;
    }
    static bool samePixels(const QImage& a, const QImage& b) {
        return a.size() == b.size() &&
               a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
    }
};

// Every picture entry of the three keypad menus, with its exact caption, a
// "To File" and a "To Clipboard" item, live. The Matrix page has no display
// box yet, so its "Save Display" entries are greyed.
TEST_F(ImageExport, KeypadMenusHoldEveryPictureEntry) {
    TtallixMainForm form(dataFolder());
    struct Case {
        const char* menu;
        std::vector<const char*> captions;
        int greyed; // leading entries greyed
    };
    const Case cases[] = {
        {"CalcPU",
         {"Save Display as BitMap", "Save Display as Jpeg", "Save Calculator Image as BitMap",
          "Save Calculator Images a Jpeg"},
         0},
        {"FuncPU",
         {"Save Graph as BitMap", "Save Graph as Jpeg", "Save Graph + Functions as BitMap",
          "Save Graph + Functions as Jpeg", "Save Calculator Image as BitMap",
          "Save Calculator Image as Jpeg"},
         0},
        {"MatPU",
         {"Save Display as BitMap", "Save Display as Jpeg", "Save Calculator Image as BitMap",
          "Save Calculator Image as Jpeg"},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menu);
        auto* menu = form.findChild<QMenu*>(c.menu);
        ASSERT_NE(menu, nullptr);
        emit menu->aboutToShow();
        // The picture entries follow one another after a separator.
        QStringList submenus;
        for (QAction* a : menu->actions())
            if (a->menu()) submenus << a->text();
        ASSERT_EQ(submenus.size(), static_cast<qsizetype>(c.captions.size()));
        for (std::size_t i = 0; i < c.captions.size(); ++i) {
            SCOPED_TRACE(c.captions[i]);
            EXPECT_EQ(submenus[i], c.captions[i]);
            QMenu* sub = entry(menu, c.captions[i]);
            ASSERT_NE(sub, nullptr);
            ASSERT_EQ(sub->actions().size(), 2);
            EXPECT_EQ(sub->actions()[0]->text(), "To File");
            EXPECT_EQ(sub->actions()[1]->text(), "To Clipboard");
            EXPECT_EQ(sub->menuAction()->isEnabled(), static_cast<int>(i) >= c.greyed);
        }
    }
    // Each live "To Clipboard" puts a picture there.
    for (const char* m : {"CalcPU", "FuncPU"}) {
        auto* menu = form.findChild<QMenu*>(m);
        for (QAction* a : menu->actions()) {
            if (!a->menu()) continue;
            SCOPED_TRACE(a->text().toStdString());
            QApplication::clipboard()->clear();
            item(menu, a->text(), "To Clipboard")->trigger();
            EXPECT_FALSE(QApplication::clipboard()->image().isNull());
        }
    }
}

// The regression menu's two entries, on a menu of their own.
TEST_F(ImageExport, CalculatorImageEntriesOnAPlainMenu) {
    TtallixMainForm form(dataFolder());
    form.show();
    QMenu menu;
    menu.addAction("Copy Results to Graphing Calculator");
    addCalculatorImageEntries(&menu, form.imageExporter(), &form);
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions()[1]->text(), "Save Calculator Image as BitMap");
    EXPECT_EQ(menu.actions()[2]->text(), "Save Calculator Image as Jpeg");

    item(&menu, "Save Calculator Image as BitMap", "To Clipboard")->trigger();
    const QImage got = QApplication::clipboard()->image();
    EXPECT_TRUE(samePixels(got, captureWindow(form)));
    EXPECT_EQ(got.size(), form.size() * form.devicePixelRatio());
}

// A paint box's capture is its own picture, pixel for pixel, held in an
// 8-bit picture whose colour table is exactly the colours used.
TEST_F(ImageExport, PaintBoxCaptureEqualsItsPictureWithAnExactPalette) {
    TtallixMainForm form(dataFolder());
    form.show();
    type(form, "sqrt2*3=");
    ExpDisplay& display = *form.expDisplay();
    const QImage shown = display.image();
    const QImage got = capturePaintBox(display);
    EXPECT_EQ(got.format(), QImage::Format_Indexed8);
    EXPECT_TRUE(samePixels(got, shown));
    const std::set<QRgb> used = colours(shown);
    ASSERT_LE(used.size(), 256u);
    const QList<QRgb> table = got.colorTable();
    EXPECT_EQ(std::set<QRgb>(table.begin(), table.end()), used);

    // Beyond 256 colours the picture still becomes 8-bit, close to the original.
    QImage ramp(300, 40, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 40; ++y)
            ramp.setPixel(x, y, qRgb(x * 255 / 299, y * 6, 255 - x * 255 / 299));
    const QImage reduced = toPalettePicture(ramp);
    EXPECT_EQ(reduced.format(), QImage::Format_Indexed8);
    EXPECT_LE(reduced.colorCount(), 256);
    EXPECT_EQ(reduced.size(), ramp.size());
}

TEST_F(ImageExport, GraphWithFunctionsSpansBothBoxes) {
    // A function list narrower than the graph: as wide as the graph, from its left edge.
    EXPECT_EQ(graphWithFunctionsRect(QRect(5, 22, 344, 150), QRect(5, 200, 330, 90)),
              QRect(5, 22, 344, 268));
    // A wider list further left sets the left edge and the width.
    EXPECT_EQ(graphWithFunctionsRect(QRect(10, 20, 100, 50), QRect(4, 80, 120, 30)),
              QRect(4, 20, 120, 90));

    TtallixMainForm form(dataFolder());
    form.selectMode(CalcMode::Fx);
    form.show();
    GraphView& graph = *form.graphView();
    FuncList& list = *form.fxPage()->funcList();
    const QImage got = captureGraphWithFunctions(form, graph, list);
    const QRect area = graphWithFunctionsRect(QRect(graph.mapTo(&form, QPoint()), graph.size()),
                                              QRect(list.mapTo(&form, QPoint()), list.size()));
    const qreal ratio = form.devicePixelRatio();
    EXPECT_EQ(got.size(), area.size() * ratio);
    // The graph sits at the top of the picture, unchanged.
    const QPoint at = (graph.mapTo(&form, QPoint()) - area.topLeft()) * ratio;
    EXPECT_TRUE(samePixels(got.copy(QRect(at, graph.size() * ratio)), capturePaintBox(graph)));
}

// BMP keeps the 8-bit table (and the window's 24 bits); JPEG is full colour
// at quality 100, even for a grey picture; the clipboard gets the decoded JPEG.
TEST_F(ImageExport, FilesAreBmpWithTheirDepthAndJpegAtQuality100) {
    QImage grey(40, 20, QImage::Format_RGB32);
    for (int x = 0; x < 40; ++x) // 20 shades of grey
        for (int y = 0; y < 20; ++y)
            grey.setPixel(x, y, qRgb(x / 2 * 10, x / 2 * 10, x / 2 * 10));
    const QImage indexed = toPalettePicture(grey);

    auto bitsPerPixel = [](const QByteArray& bmp) {
        return static_cast<int>(static_cast<uchar>(bmp[28]) | static_cast<uchar>(bmp[29]) << 8);
    };
    const QByteArray bmp8 = encodePicture(indexed, ImageFormat::Bitmap);
    ASSERT_TRUE(bmp8.startsWith("BM"));
    EXPECT_EQ(bitsPerPixel(bmp8), 8);
    EXPECT_TRUE(samePixels(QImage::fromData(bmp8, "BMP"), grey));
    const QByteArray bmp24 =
        encodePicture(grey.convertToFormat(QImage::Format_RGB888), ImageFormat::Bitmap);
    EXPECT_EQ(bitsPerPixel(bmp24), 24);

    const QByteArray jpg = encodePicture(indexed, ImageFormat::Jpeg);
    ASSERT_TRUE(jpg.startsWith("\xFF\xD8"));
    // Walk the markers: every quantisation table is all ones (quality 100),
    // and the frame has three components.
    int tables = 0, components = 0;
    for (qsizetype i = 2; i + 4 <= jpg.size();) {
        ASSERT_EQ(static_cast<uchar>(jpg[i]), 0xFF);
        const uchar marker = static_cast<uchar>(jpg[i + 1]);
        const int len = static_cast<uchar>(jpg[i + 2]) << 8 | static_cast<uchar>(jpg[i + 3]);
        if (marker == 0xDA) break; // scan data follows
        if (marker == 0xDB) {
            for (qsizetype t = i + 4; t < i + 2 + len; t += 65) {
                ASSERT_EQ(static_cast<uchar>(jpg[t]) >> 4, 0); // 8-bit entries
                for (int k = 1; k <= 64; ++k)
                    EXPECT_EQ(static_cast<uchar>(jpg[t + k]), 1) << "table entry " << k;
                ++tables;
            }
        }
        if (marker == 0xC0) components = static_cast<uchar>(jpg[i + 9]);
        i += 2 + len;
    }
    EXPECT_EQ(tables, 2);
    EXPECT_EQ(components, 3);

    const QImage onClipboard = clipboardPicture(indexed, ImageFormat::Jpeg);
    EXPECT_TRUE(samePixels(onClipboard, QImage::fromData(jpg, "JPEG")));
    EXPECT_TRUE(samePixels(clipboardPicture(indexed, ImageFormat::Bitmap), indexed));
}

// "To File": the dialog's folder, presets and remembered names, a cancel that
// writes nothing, and a refused write that names the file and keeps it.
TEST_F(ImageExport, SaveDialogsRememberTheirNamesAndFailuresKeepTheOldFile) {
    TtallixMainForm form(dataFolder());
    form.show();
    ImageExporter& exporter = form.imageExporter();
    std::vector<SaveRequest> asked;
    QString answer;
    exporter.setFileChooser([&](const SaveRequest& r, QWidget*) {
        asked.push_back(r);
        return answer;
    });
    auto* calcMenu = form.findChild<QMenu*>("CalcPU");
    auto run = [&](const char* caption, const QString& chosen) {
        answer = chosen;
        item(calcMenu, caption, "To File")->trigger();
    };

    run("Save Display as BitMap", ""); // cancelled
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].fileName, ""); // the display presets nothing
    EXPECT_EQ(asked[0].defaultSuffix, "bmp");
    EXPECT_EQ(asked[0].filter, "BitMap (*.bmp);;All Files (*)");
    EXPECT_EQ(asked[0].folder.toStdString(), dataFolder().string());
    EXPECT_TRUE(QDir(dir_.path()).entryList({"*.bmp"}).isEmpty());

    run("Save Calculator Image as BitMap", file("one.bmp"));
    run("Save Calculator Image as BitMap", file("two.bmp"));
    run("Save Calculator Images a Jpeg", file("one.jpg"));
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[1].fileName, "CalculatorScreenCapture.bmp");
    EXPECT_EQ(asked[2].fileName, file("one.bmp")); // the name chosen the first time
    EXPECT_EQ(asked[3].fileName, "CalculatorScreenCapture.jpg");
    EXPECT_EQ(asked[3].filter, "Jpeg Files (*.jpg);;All Files (*)");
    QImage written(file("two.bmp"));
    EXPECT_TRUE(samePixels(written, captureWindow(form)));
    EXPECT_EQ(QImageReader(file("one.jpg")).format(), "jpeg");

    // A full disk: the message names the file and why; the old file stays.
    const QByteArray before = [&] {
        QFile f(file("two.bmp"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QString warning;
    closeMessageBoxWhenShown(warning);
    {
        test::FileSizeLimit full(64);
        ASSERT_TRUE(full.ok());
        run("Save Display as BitMap", file("two.bmp"));
    }
    EXPECT_TRUE(warning.startsWith("Unable to save the picture.\n")) << warning.toStdString();
    EXPECT_TRUE(warning.contains(file("two.bmp"))) << warning.toStdString();
    QFile after(file("two.bmp"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}

} // namespace
