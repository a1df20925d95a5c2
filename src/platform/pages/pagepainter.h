#pragma once

// Paints one page of the model on any QPainter: the preview widget, a
// QPrinter and a QPdfWriter all go through here, so what is previewed is
// what prints.

#include "platform/pages/document.h"

class QPainter;

namespace pages {

struct PaintOptions {
    bool monochrome = false;  // PreviewMode 2 and ColorMode 1: colours to grey
    bool paintPaper = false;  // fill the sheet white first (preview)
};

// The painter's current transform must map twips to device units (the
// caller scales by device dpi / 1440 and translates to the sheet's corner).
void paintPage(QPainter &painter, const Page &page, const PaintOptions &options = {});

}  // namespace pages
