#pragma once

// The settings that shape the layout, as the engine's properties set them.
// Layout reads them at every step, so a change applies to what follows.

#include "platform/pages/document.h"

#include <QSize>

namespace pages {

struct LayoutSettings {
    FontSpec font;
    FontSpec hdrFont{QStringLiteral("Arial"), 12.0};
    uint hdrColor = 0;        // ColorRef
    uint textColor = 0;
    QString header;
    QString footer;
    int textAlign = 0;
    int textAngle = 0;
    int indentFirst = 0;
    int indentLeft = 0;
    int indentRight = 0;
    int indentTab = 720;
    int lineSpacing = 100;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int columns = 1;
    int tableBorder = 7;
    int pageBorder = 3;
    QChar columnSeparator = QLatin1Char('|');
    QChar rowSeparator = QLatin1Char('\r');
    int marginLeft = 720;
    int marginRight = 720;
    int marginTop = 720;
    int marginBottom = 720;
    int orientation = 0;
    int paperSize = 9;
    int paperWidth = 11906;   // portrait sheet
    int paperHeight = 16838;

    QSize pageSize() const
    {
        return orientation == 1 ? QSize(paperHeight, paperWidth) : QSize(paperWidth, paperHeight);
    }
};

}  // namespace pages
