#pragma once

#include "reports/ChartPlan.h"

namespace reports {

// Draws the report's charts with Qt Charts: the chart is built from its
// description, laid out in a scene of the size asked and rendered onto the
// painter (a recording, when the report draws it onto a page).
class ChartDrawing : public ChartPainter
{
public:
    void paint(QPainter &painter, const QSizeF &size, const ChartPlan &chart) const override;
};

// The one the report window hands to the reports.
const ChartPainter &chartDrawing();

} // namespace reports
