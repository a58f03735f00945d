#pragma once

class QWidget;

namespace tallix {

// Places a tool window of the f(x) mode beside the main window the first
// time it is shown, and moves the main window a third of the tool's width
// to make room. When `other` (the neighbouring tool window) is shown, it and
// the main window move a third of its width away from its side and the tool
// goes on the main window's other side; otherwise the tool goes against the
// main window's right edge when the main window's centre lies left of the
// screen's centre (the main window moving left), else against its left
// edge. The tool's top is the main window's top.
void placeToolWindow(QWidget* tool, QWidget* main, QWidget* other);

} // namespace tallix
