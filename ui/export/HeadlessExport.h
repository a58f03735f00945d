#pragma once

#include "engine/workspace/Workspace.h"
#include "ui/export/ImageExport.h"

#include <QString>

#include <optional>

namespace tallix {

// The four things a picture can be taken of.
enum class PictureSource { Display, Graph, GraphWithFunctions, Window };

struct ExportRequest {
    PictureSource source = PictureSource::Display;
    ImageFormat format = ImageFormat::Bitmap;
    QString ini;                  // a "tallix.ini" to start from (empty: none)
    std::optional<CalcMode> mode; // the window's mode; by default the source's
    QString out;                  // the file to write
};

// Opens the main window (not shown on screen) over a fresh temporary data
// folder holding a copy of `ini`, in the requested mode, and writes the
// picture the menu's "To File" command would write for that source. Needs a
// QApplication. Returns an error text, empty on success.
QString exportPicture(const ExportRequest& request);

} // namespace tallix
