#pragma once

// Private state of pages::Engine: the property values, the document and the
// layout in progress, the printer.

#include "platform/pages/engine.h"
#include "platform/pages/fontmap.h"
#include "platform/pages/layout.h"
#include "platform/pages/layoutsettings.h"

#include <QPrinter>

#include <memory>

namespace pages {

class EnginePrivate {
public:
    explicit EnginePrivate(Engine *q) : q(q) {}

    Layout &layout();        // the layout of the open document, started on demand
    void settingsChanged();  // margins, paper, orientation, indents or columns
    void setError(int code) { error = code; }
    // A setter that will not take a value leaves the property as it was,
    // sets Error and counts the refusal, so a by-name caller can tell.
    void refuse(int code = error::BadArgument)
    {
        error = code;
        ++refusals;
    }
    PageItem drawingItem(ItemKind kind) const;
    void measure(const std::function<void(Layout &)> &work);
    void applyPrinterSettings(QPrinter &printer) const;
    bool printPages(int fromPage, int toPage);
    void setMargin(int &margin, int twips);

    Engine *q;
    Document document;
    FontCache fonts;
    LayoutSettings settings;
    std::unique_ptr<Layout> active;
    bool docOpen = false;

    // measuring
    int textWid = 0;
    int textHei = 0;
    bool measuring = false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::optional<QPoint> lastLineEnd;

    // drawing
    uint penColor = 0;
    int penStyle = 0;
    int penWidth = 15;
    uint brushColor = 0xffffff;
    int brushStyle = 0;

    // paper
    bool physicalPage = false;

    // preview
    bool preview = true;
    int previewMode = 0;
    int previewPage = 1;
    int zoom = 100;
    bool mousePage = true;
    bool mouseScroll = true;
    bool mouseZoom = true;
    uint emptyColor = 0x8000000C;
    uint backColor = 0xffffff;
    int appearance = 1;
    int borderStyle = 1;
    bool enabled = true;
    int whatsThisHelpId = 0;
    int renderControl = 0;

    // printer and driver-dependent settings (kept even where Qt cannot apply them)
    std::unique_ptr<QPrinter> printer;
    QString port;
    int copies = 1;
    int collate = 1;
    int duplex = 1;
    int colorMode = 2;
    int paperBin = 7;
    int printQuality = 0;
    int scaleOutput = 100;
    int trueType = 1;
    bool abortWindow = true;
    int abortWindowPos = 1;
    QString abortCaption = QStringLiteral("Printing...");
    QString abortTextButton = QStringLiteral("Cancel");
    QString abortTextDevice = QStringLiteral("on the %s on %s");
    QString abortTextPage = QStringLiteral("Now Printing Page %d of");

    QString fileName;
    int error = 0;
    int refusals = 0;
    Engine::DialogHook dialogHook;
    Engine::PrintProgress printProgress;
    static Engine::DialogHook &defaultDialogHook();
};

}  // namespace pages
