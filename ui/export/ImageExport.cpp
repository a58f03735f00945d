#include "ui/export/ImageExport.h"

#include "store/AtomicFile.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>

namespace tallix {

namespace {

constexpr const char* kScreenCaptureName = "CalculatorScreenCapture";

struct DialogKind {
    const char* filter;
    const char* suffix;
    const char* writerFormat;
};

constexpr DialogKind kDialogs[2] = {
    {"BitMap (*.bmp);;All Files (*)", "bmp", "BMP"},
    {"Jpeg Files (*.jpg);;All Files (*)", "jpg", "JPEG"},
};

const DialogKind& dialogOf(ImageFormat f) {
    return kDialogs[f == ImageFormat::Jpeg ? 1 : 0];
}

// A grabbed pixmap as an image of device pixels.
QImage devicePixels(const QPixmap& grabbed, QImage::Format format) {
    QImage img = grabbed.toImage().convertToFormat(format);
    img.setDevicePixelRatio(1);
    return img;
}

// The paints asked for so far are done.
void finishPendingPaints() {
    QApplication::processEvents();
}

QString runSaveDialog(const SaveRequest& r, QWidget* parent) {
    QFileDialog dialog(parent, r.title, r.folder, r.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QImage toPalettePicture(const QImage& picture) {
    // From 32 bits without alpha the library keeps a picture of at most 256
    // colours exact and quantises (with error diffusion) only beyond that.
    return picture.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
}

QImage capturePaintBox(QWidget& box) {
    finishPendingPaints();
    return toPalettePicture(devicePixels(box.grab(), QImage::Format_RGB32));
}

QRect graphWithFunctionsRect(const QRect& graph, const QRect& list) {
    const int left = std::min(graph.left(), list.left());
    const int width = std::max(graph.width(), list.width());
    const int height = list.top() + list.height() - graph.top();
    return QRect(left, graph.top(), width, height);
}

QImage captureGraphWithFunctions(QWidget& window, QWidget& graph, QWidget& list) {
    finishPendingPaints();
    const QRect g(graph.mapTo(&window, QPoint(0, 0)), graph.size());
    const QRect l(list.mapTo(&window, QPoint(0, 0)), list.size());
    const QRect area = graphWithFunctionsRect(g, l);
    return toPalettePicture(devicePixels(window.grab(area), QImage::Format_RGB32));
}

QImage captureWindow(QWidget& window) {
    finishPendingPaints();
    return devicePixels(window.grab(), QImage::Format_RGB888);
}

QByteArray encodePicture(const QImage& picture, ImageFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, dialogOf(format).writerFormat);
    QImage img = picture;
    if (format == ImageFormat::Jpeg) {
        // The JPEG writer turns an all-grey colour table into a one-channel
        // file; these files are always full colour.
        if (img.format() != QImage::Format_RGB888) img = img.convertToFormat(QImage::Format_RGB32);
        writer.setQuality(100);
    }
    if (!writer.write(img)) return {};
    return bytes;
}

QImage clipboardPicture(const QImage& picture, ImageFormat format) {
    if (format == ImageFormat::Bitmap) return picture;
    return QImage::fromData(encodePicture(picture, format), "JPEG");
}

QString writePictureFile(const QString& file, const QImage& picture, ImageFormat format) {
    const QByteArray bytes = encodePicture(picture, format);
    std::string reason;
    if (bytes.isEmpty()) {
        reason = QString("Cannot encode %1").arg(file).toStdString();
    } else {
        const WriteResult r =
            writeFileAtomically(QFile::encodeName(file).toStdString(),
                                std::string_view(bytes.constData(), bytes.size()));
        if (r.ok) return {};
        reason = r.error;
    }
    return QString("Unable to save the picture.\n%1").arg(QString::fromStdString(reason));
}

ImageExporter::ImageExporter(QWidget* window, std::filesystem::path initialFolder)
    : QObject(window), window_(window), folder_(QFile::decodeName(initialFolder.string().c_str())),
      choose_(runSaveDialog) {
    while (folder_.size() > 1 && folder_.endsWith('/'))
        folder_.chop(1);
}

QString ImageExporter::rememberedName(ImageFormat format) const {
    return names_[format == ImageFormat::Jpeg ? 1 : 0];
}

void ImageExporter::toFile(const std::function<QImage()>& capture, ImageFormat format,
                           bool presetName) {
    const QImage picture = capture();
    if (picture.isNull()) return;
    QString& name = names_[format == ImageFormat::Jpeg ? 1 : 0];
    const DialogKind& kind = dialogOf(format);
    if (presetName && name.isEmpty()) name = QString("%1.%2").arg(kScreenCaptureName, kind.suffix);
    const SaveRequest request{"Save As", kind.filter, kind.suffix, folder_, name};
    const QString chosen = choose_(request, window_);
    if (chosen.isEmpty()) return;
    name = chosen;
    const QString error = writePictureFile(chosen, picture, format);
    if (!error.isEmpty()) QMessageBox::warning(window_, "Graphing Abacorn", error);
}

void ImageExporter::toClipboard(const std::function<QImage()>& capture, ImageFormat format) {
    const QImage picture = capture();
    if (!picture.isNull()) QApplication::clipboard()->setImage(clipboardPicture(picture, format));
}

void addImageEntries(QMenu* menu, ImageExporter& exporter, const QList<ImageEntry>& entries) {
    for (const ImageEntry& e : entries) {
        QMenu* sub = menu->addMenu(e.caption);
        QAction* toFile = sub->addAction("To File");
        QAction* toClipboard = sub->addAction("To Clipboard");
        if (!e.capture) {
            sub->menuAction()->setEnabled(false);
            continue;
        }
        QObject::connect(toFile, &QAction::triggered, &exporter,
                         [&exporter, e] { exporter.toFile(e.capture, e.format, e.presetName); });
        QObject::connect(toClipboard, &QAction::triggered, &exporter,
                         [&exporter, e] { exporter.toClipboard(e.capture, e.format); });
        if (!e.available) continue;
        sub->menuAction()->setEnabled(e.available());
        QObject::connect(menu, &QMenu::aboutToShow, sub,
                         [sub, e] { sub->menuAction()->setEnabled(e.available()); });
    }
}

void addCalculatorImageEntries(QMenu* menu, ImageExporter& exporter, QWidget* window,
                               const QString& jpegCaption) {
    auto capture = [window] { return captureWindow(*window); };
    addImageEntries(menu, exporter,
                    {{"Save Calculator Image as BitMap", ImageFormat::Bitmap, capture, true, {}},
                     {jpegCaption, ImageFormat::Jpeg, capture, true, {}}});
}

} // namespace tallix
