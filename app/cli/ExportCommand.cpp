// Built only with the Qt window (TALLIX_WITH_UI).
#include "app/cli/Commands.h"

#include "ui/export/HeadlessExport.h"

#include <QApplication>

#include <cstdio>
#include <string_view>

namespace tallix::cli {

namespace {

constexpr const char* kUsage =
    "usage: tallix-cli export --source display|graph|graph+functions|window --format bmp|jpg\n"
    "                         [--ini FILE] [--mode calc|fx|matrix|regr] OUT\n";

std::optional<PictureSource> sourceNamed(std::string_view s) {
    if (s == "display") return PictureSource::Display;
    if (s == "graph") return PictureSource::Graph;
    if (s == "graph+functions") return PictureSource::GraphWithFunctions;
    if (s == "window") return PictureSource::Window;
    return std::nullopt;
}

std::optional<ImageFormat> formatNamed(std::string_view s) {
    if (s == "bmp") return ImageFormat::Bitmap;
    if (s == "jpg") return ImageFormat::Jpeg;
    return std::nullopt;
}

std::optional<CalcMode> modeNamed(std::string_view s) {
    if (s == "calc") return CalcMode::Calc;
    if (s == "fx") return CalcMode::Fx;
    if (s == "matrix") return CalcMode::Matrix;
    if (s == "regr") return CalcMode::Regr;
    return std::nullopt;
}

} // namespace

int runExport(std::span<char* const> args) {
    ExportRequest request;
    std::optional<PictureSource> source;
    std::optional<ImageFormat> format;
    const char* out = nullptr;
    bool bad = false;
    for (std::size_t i = 0; i < args.size() && !bad; ++i) {
        const std::string_view a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--source" && hasValue) {
            source = sourceNamed(args[++i]);
            bad = !source;
        } else if (a == "--format" && hasValue) {
            format = formatNamed(args[++i]);
            bad = !format;
        } else if (a == "--mode" && hasValue) {
            request.mode = modeNamed(args[++i]);
            bad = !request.mode;
        } else if (a == "--ini" && hasValue) {
            request.ini = QString::fromLocal8Bit(args[++i]);
        } else if (!a.empty() && a[0] != '-' && !out) {
            out = args[i];
        } else {
            bad = true;
        }
    }
    if (bad || !source || !format || !out) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    request.source = *source;
    request.format = *format;
    request.out = QString::fromLocal8Bit(out);

    // No window is shown. The picture has the device pixels of the window:
    // ratio 1 unless QT_SCALE_FACTOR asks for another.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "1");
    int argc = 1;
    char name[] = "tallix-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const QString error = exportPicture(request);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "tallix-cli export: %s\n", error.toLocal8Bit().constData());
        return 2;
    }
    return 0;
}

} // namespace tallix::cli
