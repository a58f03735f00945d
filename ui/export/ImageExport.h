#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>

class QMenu;
class QWidget;

namespace tallix {

// The two picture file formats.
enum class ImageFormat { Bitmap, Jpeg };

// --- Pixels -----------------------------------------------------------------
// Every capture first lets pending paints run, then copies what the widgets
// show, in device pixels (at a device pixel ratio of 2 a 100 x 50 box gives a
// 200 x 100 picture). The returned images carry a device pixel ratio of 1.

// `picture` as an 8-bit picture with a colour table. With at most 256
// colours the table holds exactly those colours and no pixel changes;
// otherwise the image library's conversion (a 6 x 6 x 6 colour cube with
// error diffusion) is used.
QImage toPalettePicture(const QImage& picture);

// One paint box (a display, the graph) as it is on screen, 8-bit.
QImage capturePaintBox(QWidget& box);

// The rectangle spanning the graph and the function list below it, in the
// coordinates both are given in: from the smaller left edge, as wide as the
// wider of the two, from the graph's top to the list's bottom.
QRect graphWithFunctionsRect(const QRect& graph, const QRect& list);

// The graph and the function list together, copied from the main window
// `window` (so whatever lies between them is included), 8-bit.
QImage captureGraphWithFunctions(QWidget& window, QWidget& graph, QWidget& list);

// The whole client area of `window`, 24-bit.
QImage captureWindow(QWidget& window);

// --- Files and the clipboard ------------------------------------------------

// The file's bytes: a BMP (8-bit pictures keep their colour table) or a
// full-colour JPEG at quality 100. Empty when the image library fails.
QByteArray encodePicture(const QImage& picture, ImageFormat format);

// What the clipboard receives: the picture itself for a bitmap, the picture
// decoded from its quality-100 JPEG data for a JPEG.
QImage clipboardPicture(const QImage& picture, ImageFormat format);

// Encodes `picture` and replaces `file` with it atomically (on failure the
// old file is left whole). Returns the message to show, empty on success.
QString writePictureFile(const QString& file, const QImage& picture, ImageFormat format);

// --- The menu commands ------------------------------------------------------

// What a save dialog is opened with.
struct SaveRequest {
    QString title;         // "Save As"
    QString filter;        // "BitMap (*.bmp);;All Files (*)" or the JPEG one
    QString defaultSuffix; // "bmp" or "jpg", added to a name without one
    QString folder;        // the initial folder
    QString fileName;      // the name the dialog starts with (may be empty)
};

// Runs "To File" and "To Clipboard" for every picture entry of the main
// window's menus. Owns the state of the two save dialogs (bitmap and JPEG):
// each keeps the last name chosen in it for the rest of the run.
class ImageExporter : public QObject {
    Q_OBJECT
public:
    // `window` parents the dialogs and message boxes; the dialogs open in
    // `initialFolder`.
    ImageExporter(QWidget* window, std::filesystem::path initialFolder);

    // Asks for a file name; an empty result cancels. Tests replace the dialog.
    using FileChooser = std::function<QString(const SaveRequest& request, QWidget* parent)>;
    void setFileChooser(FileChooser chooser) { choose_ = std::move(chooser); }

    // Captures, asks for a file and writes it; a failure is shown in a
    // message box naming the file and the reason. `presetName`: a dialog
    // without a name yet starts with "CalculatorScreenCapture.bmp" / ".jpg".
    void toFile(const std::function<QImage()>& capture, ImageFormat format, bool presetName);
    // Captures and puts the picture (see clipboardPicture) on the clipboard.
    void toClipboard(const std::function<QImage()>& capture, ImageFormat format);

    // The name the dialog of `format` opens with next (empty at first).
    QString rememberedName(ImageFormat format) const;

private:
    QWidget* window_;
    QString folder_;
    QString names_[2]; // bitmap, JPEG
    FileChooser choose_;
};

// One picture entry of a menu: a submenu `caption` with "To File" and "To
// Clipboard".
struct ImageEntry {
    QString caption;
    ImageFormat format = ImageFormat::Bitmap;
    // Takes the picture; when empty, the entry is shown greyed.
    std::function<QImage()> capture;
    // Whole-window pictures preset the file name "CalculatorScreenCapture".
    bool presetName = false;
    // Asked each time the menu opens: false greys the entry. Empty: always on.
    std::function<bool()> available;
};

// Appends `entries` to `menu`, their commands run through `exporter`.
void addImageEntries(QMenu* menu, ImageExporter& exporter, const QList<ImageEntry>& entries);

// Appends "Save Calculator Image as BitMap" and `jpegCaption` (normally
// "Save Calculator Image as Jpeg") to `menu`: the whole client area of
// `window`. The regression menu takes these two entries.
void addCalculatorImageEntries(QMenu* menu, ImageExporter& exporter, QWidget* window,
                               const QString& jpegCaption = "Save Calculator Image as Jpeg");

} // namespace tallix
