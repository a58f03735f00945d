#pragma once

#include "ui/views/PaintBox.h"

namespace tallix {

struct RegrState;

// The regression plot regrPB: the data pairs as crosses and the fitted
// curve over a labelled grid, drawn from the workspace's regression state
// as it is at each paint (layoutRegrPlot computes the geometry).
class RegrPlotView : public PaintBox {
    Q_OBJECT
public:
    RegrPlotView(const RegrState& state, QWidget* parent);

signals:
    // The menu is asked for at `globalPos`: a right button released over the
    // plot, or a left click.
    void menuRequested(QPoint globalPos);

protected:
    void render(QPainter& p) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const RegrState& state_;
};

} // namespace tallix
