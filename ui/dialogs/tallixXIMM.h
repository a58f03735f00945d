#pragma once

#include "engine/analysis/GraphAnalysis.h"

#include <QWidget>

#include <string>
#include <vector>

class QLabel;
class QListWidget;

namespace tallix {

class FuncSet;

// The "f(x) Details" window: the title of the last tool run and its report,
// one line a row (header rows as "Function n)" over the slot's colour, "pi"
// drawn as the glyph). A click on the window outside the list closes it.
class TtallixXIMMform : public QWidget {
    Q_OBJECT
public:
    // `funcs` gives the header colours and the graph mode; it must outlive
    // the window.
    TtallixXIMMform(const FuncSet& funcs, QWidget* parent);

    // Replaces the report and the title (centred).
    void showReport(AnalysisTool tool, const std::vector<std::string>& lines);
    std::vector<std::string> reportLines() const;
    QString title() const;
    QListWidget* list() const { return XIMMlb_; }
    // True until the window was first placed beside the main window.
    bool firstShowing() const { return firstShowing_; }
    void placed() { firstShowing_ = false; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* titleLbl_ = nullptr;
    QListWidget* XIMMlb_ = nullptr;
    bool firstShowing_ = true;
};

} // namespace tallix
