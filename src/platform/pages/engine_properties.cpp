// Property accessors of pages::Engine. Layout settings apply to what is
// written next; page settings also reshape a page nothing has been written on.

#include "platform/pages/engine.h"

#include "platform/pages/engine_p.h"
#include "platform/pages/paper.h"
#include "platform/pages/units.h"

namespace pages {

namespace {

QFont toQFont(const FontSpec &fontSpec)
{
    QFont font(fontSpec.name);
    font.setPointSizeF(fontSpec.size);
    font.setBold(fontSpec.bold);
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    font.setStrikeOut(fontSpec.strikeout);
    return font;
}

FontSpec fromQFont(const QFont &font)
{
    FontSpec fontSpec;
    fontSpec.name = font.family();
    fontSpec.size = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    fontSpec.bold = font.bold();
    fontSpec.italic = font.italic();
    fontSpec.underline = font.underline();
    fontSpec.strikeout = font.strikeOut();
    return fontSpec;
}

}  // namespace

// ------------------------------------------------------------------- fonts

QFont Engine::Font() const { return toQFont(d->settings.font); }
void Engine::setFont(const QFont &font) { d->settings.font = fromQFont(font); }
FontSpec Engine::fontSpec() const { return d->settings.font; }
QString Engine::FontName() const { return d->settings.font.name; }
void Engine::setFontName(const QString &name) { if (!name.isEmpty()) d->settings.font.name = name; }
double Engine::FontSize() const { return d->settings.font.size; }
void Engine::setFontSize(double points)
{
    if (!(points > 0))
        return d->refuse();
    d->settings.font.size = points;
}
bool Engine::FontBold() const { return d->settings.font.bold; }
void Engine::setFontBold(bool on) { d->settings.font.bold = on; }
bool Engine::FontItalic() const { return d->settings.font.italic; }
void Engine::setFontItalic(bool on) { d->settings.font.italic = on; }
bool Engine::FontUnderline() const { return d->settings.font.underline; }
void Engine::setFontUnderline(bool on) { d->settings.font.underline = on; }
bool Engine::FontStrikethru() const { return d->settings.font.strikeout; }
void Engine::setFontStrikethru(bool on) { d->settings.font.strikeout = on; }

QFont Engine::HdrFont() const { return toQFont(d->settings.hdrFont); }
void Engine::setHdrFont(const QFont &font) { d->settings.hdrFont = fromQFont(font); d->settingsChanged(); }
QString Engine::HdrFontName() const { return d->settings.hdrFont.name; }
void Engine::setHdrFontName(const QString &name) { if (!name.isEmpty()) d->settings.hdrFont.name = name; d->settingsChanged(); }
double Engine::HdrFontSize() const { return d->settings.hdrFont.size; }
void Engine::setHdrFontSize(double points)
{
    if (!(points > 0))
        return d->refuse();
    d->settings.hdrFont.size = points;
    d->settingsChanged();
}
bool Engine::HdrFontBold() const { return d->settings.hdrFont.bold; }
void Engine::setHdrFontBold(bool on) { d->settings.hdrFont.bold = on; }
bool Engine::HdrFontItalic() const { return d->settings.hdrFont.italic; }
void Engine::setHdrFontItalic(bool on) { d->settings.hdrFont.italic = on; }
bool Engine::HdrFontUnderline() const { return d->settings.hdrFont.underline; }
void Engine::setHdrFontUnderline(bool on) { d->settings.hdrFont.underline = on; }
bool Engine::HdrFontStrikethru() const { return d->settings.hdrFont.strikeout; }
void Engine::setHdrFontStrikethru(bool on) { d->settings.hdrFont.strikeout = on; }
ColorRef Engine::HdrColor() const { return d->settings.hdrColor; }
void Engine::setHdrColor(ColorRef color) { d->settings.hdrColor = color; }

// -------------------------------------------------------- text and tables

QString Engine::Header() const { return d->settings.header; }
void Engine::setHeader(const QString &text) { d->settings.header = text; }
QString Engine::Footer() const { return d->settings.footer; }
void Engine::setFooter(const QString &text) { d->settings.footer = text; }
ColorRef Engine::TextColor() const { return d->settings.textColor; }
void Engine::setTextColor(ColorRef color) { d->settings.textColor = color; }
int Engine::TextAlign() const { return d->settings.textAlign; }
void Engine::setTextAlign(int align)
{
    if (align < textalign::Left || align > textalign::Justify)
        return d->refuse();
    d->settings.textAlign = align;
}
int Engine::TextAngle() const { return d->settings.textAngle; }
void Engine::setTextAngle(int tenths) { d->settings.textAngle = tenths % 3600; }
int Engine::IndentFirst() const { return d->settings.indentFirst; }
void Engine::setIndentFirst(int twips) { d->settings.indentFirst = twips; }
int Engine::IndentLeft() const { return d->settings.indentLeft; }
void Engine::setIndentLeft(int twips) { d->settings.indentLeft = twips; d->settingsChanged(); }
int Engine::IndentRight() const { return d->settings.indentRight; }
void Engine::setIndentRight(int twips) { d->settings.indentRight = twips; }
int Engine::IndentTab() const { return d->settings.indentTab; }
// Kept as given (a host may restore 0); layout treats 0 or less as 720.
void Engine::setIndentTab(int twips) { d->settings.indentTab = twips; }
int Engine::LineSpacing() const { return d->settings.lineSpacing; }
void Engine::setLineSpacing(int percent) { d->settings.lineSpacing = std::max(10, percent); }
int Engine::SpaceBefore() const { return d->settings.spaceBefore; }
void Engine::setSpaceBefore(int twips) { d->settings.spaceBefore = std::max(0, twips); }
int Engine::SpaceAfter() const { return d->settings.spaceAfter; }
void Engine::setSpaceAfter(int twips) { d->settings.spaceAfter = std::max(0, twips); }
int Engine::Columns() const { return d->settings.columns; }
void Engine::setColumns(int count) { d->settings.columns = std::clamp(count, 1, 20); d->settingsChanged(); }
int Engine::TableBorder() const { return d->settings.tableBorder; }
void Engine::setTableBorder(int flags)
{
    if ((flags & ~tableborder::All) != 0)
        return d->refuse();
    d->settings.tableBorder = flags;
}
int Engine::PageBorder() const { return d->settings.pageBorder; }
void Engine::setPageBorder(int flags)
{
    if ((flags & ~pageborder::All) != 0)
        return d->refuse();
    d->settings.pageBorder = flags;
}

QString Engine::TableSep() const
{
    return QString(d->settings.columnSeparator) + d->settings.rowSeparator;
}

void Engine::setTableSep(const QString &separators)
{
    // Empty restores the defaults; one character sets only the column separator.
    d->settings.columnSeparator = separators.size() > 0 ? separators[0] : QLatin1Char('|');
    d->settings.rowSeparator = separators.size() > 1 ? separators[1] : QLatin1Char('\r');
}

int Engine::CurrentX() const { return d->active ? d->active->x() : 0; }
void Engine::setCurrentX(int twips) { if (d->active) d->active->moveTo(twips, std::nullopt); }
int Engine::CurrentY() const { return d->active ? d->active->y() : 0; }
void Engine::setCurrentY(int twips) { if (d->active) d->active->moveTo(std::nullopt, twips); }
int Engine::CurrentPage() const { return d->active ? d->active->pageNumber() : d->document.pageCount(); }
int Engine::CurrentLine() const { return d->active ? d->active->lineNumber() : 0; }
int Engine::CurrentColumn() const { return d->active ? d->active->columnNumber() : 0; }

int Engine::TextWid() const { return d->textWid; }
int Engine::TextHei() const { return d->textHei; }
bool Engine::Measuring() const { return d->measuring; }
int Engine::X1() const { return d->x1; }
void Engine::setX1(int twips) { d->x1 = twips; }
int Engine::Y1() const { return d->y1; }
void Engine::setY1(int twips) { d->y1 = twips; }
int Engine::X2() const { return d->x2; }
void Engine::setX2(int twips) { d->x2 = twips; }
int Engine::Y2() const { return d->y2; }
void Engine::setY2(int twips) { d->y2 = twips; }

// ------------------------------------------------------------- pen, brush

ColorRef Engine::PenColor() const { return d->penColor; }
void Engine::setPenColor(ColorRef color) { d->penColor = color; }
int Engine::PenStyle() const { return d->penStyle; }
void Engine::setPenStyle(int style)
{
    if (style < 0 || style > 6)
        return d->refuse();
    d->penStyle = style;
}
int Engine::PenWidth() const { return d->penWidth; }
void Engine::setPenWidth(int twips) { d->penWidth = std::max(0, twips); }
ColorRef Engine::BrushColor() const { return d->brushColor; }
void Engine::setBrushColor(ColorRef color) { d->brushColor = color; }
int Engine::BrushStyle() const { return d->brushStyle; }
void Engine::setBrushStyle(int style)
{
    if (style < 0 || style > 7)
        return d->refuse();
    d->brushStyle = style;
}

// ------------------------------------------------------------------ paper

int Engine::MarginLeft() const { return d->settings.marginLeft; }
void Engine::setMarginLeft(int twips) { d->setMargin(d->settings.marginLeft, twips); }
int Engine::MarginRight() const { return d->settings.marginRight; }
void Engine::setMarginRight(int twips) { d->setMargin(d->settings.marginRight, twips); }
int Engine::MarginTop() const { return d->settings.marginTop; }
void Engine::setMarginTop(int twips) { d->setMargin(d->settings.marginTop, twips); }
int Engine::MarginBottom() const { return d->settings.marginBottom; }
void Engine::setMarginBottom(int twips) { d->setMargin(d->settings.marginBottom, twips); }

namespace {

bool setLength(EnginePrivate &d, int &margin, const QString &text)
{
    const auto twips = parseTwips(text);
    if (!twips) {
        d.refuse();
        return false;
    }
    d.setMargin(margin, *twips);
    return true;
}

}  // namespace

bool Engine::setMarginLeft(const QString &length) { return setLength(*d, d->settings.marginLeft, length); }
bool Engine::setMarginRight(const QString &length) { return setLength(*d, d->settings.marginRight, length); }
bool Engine::setMarginTop(const QString &length) { return setLength(*d, d->settings.marginTop, length); }
bool Engine::setMarginBottom(const QString &length) { return setLength(*d, d->settings.marginBottom, length); }

int Engine::Orientation() const { return d->settings.orientation; }
void Engine::setOrientation(int value)
{
    if (value != orientation::Portrait && value != orientation::Landscape)
        return d->refuse();
    d->settings.orientation = value;
    d->settingsChanged();
}

int Engine::PaperSize() const { return d->settings.paperSize; }
void Engine::setPaperSize(int id)
{
    if (id == CustomPaper) {
        d->settings.paperSize = CustomPaper;
        return;
    }
    const auto size = paperTwips(id);
    if (!size)
        return d->refuse();
    d->settings.paperSize = id;
    d->settings.paperWidth = size->width();
    d->settings.paperHeight = size->height();
    d->settingsChanged();
}

int Engine::PaperWidth() const { return d->settings.paperWidth; }
void Engine::setPaperWidth(int twips)
{
    if (twips <= 0 || twips == d->settings.paperWidth)
        return;
    d->settings.paperWidth = twips;
    d->settings.paperSize = CustomPaper;
    d->settingsChanged();
}

int Engine::PaperHeight() const { return d->settings.paperHeight; }
void Engine::setPaperHeight(int twips)
{
    if (twips <= 0 || twips == d->settings.paperHeight)
        return;
    d->settings.paperHeight = twips;
    d->settings.paperSize = CustomPaper;
    d->settingsChanged();
}

int Engine::PageWidth() const { return d->settings.pageSize().width(); }
int Engine::PageHeight() const { return d->settings.pageSize().height(); }
bool Engine::PhysicalPage() const { return d->physicalPage; }
void Engine::setPhysicalPage(bool on) { d->physicalPage = on; }

// ---------------------------------------------------------------- preview

bool Engine::Preview() const { return d->preview; }
void Engine::setPreview(bool on) { d->preview = on; }
int Engine::PreviewMode() const { return d->previewMode; }
void Engine::setPreviewMode(int mode)
{
    if (mode < 0 || mode > 2)
        return d->refuse();
    d->previewMode = mode;
    emit viewChanged();
}
int Engine::PreviewPage() const { return d->previewPage; }

void Engine::setPreviewPage(int page)
{
    const int clamped = std::clamp(page, 1, std::max(1, d->document.pageCount()));
    if (clamped == d->previewPage)
        return;
    d->previewPage = clamped;
    emit previewPageChanged(clamped);
}

int Engine::Zoom() const { return d->zoom; }
void Engine::setZoom(int percent)
{
    const int zoom = percent <= 0 ? 0 : std::clamp(percent, 10, 1000);
    if (zoom == d->zoom)
        return;
    d->zoom = zoom;
    emit viewChanged();
}

bool Engine::MousePage() const { return d->mousePage; }
void Engine::setMousePage(bool on) { d->mousePage = on; emit viewChanged(); }
bool Engine::MouseScroll() const { return d->mouseScroll; }
void Engine::setMouseScroll(bool on) { d->mouseScroll = on; emit viewChanged(); }
bool Engine::MouseZoom() const { return d->mouseZoom; }
void Engine::setMouseZoom(bool on) { d->mouseZoom = on; emit viewChanged(); }
ColorRef Engine::EmptyColor() const { return d->emptyColor; }
void Engine::setEmptyColor(ColorRef color) { d->emptyColor = color; emit viewChanged(); }
ColorRef Engine::BackColor() const { return d->backColor; }
void Engine::setBackColor(ColorRef color) { d->backColor = color; emit viewChanged(); }
int Engine::Appearance() const { return d->appearance; }
void Engine::setAppearance(int value) { d->appearance = value; emit viewChanged(); }
int Engine::BorderStyle() const { return d->borderStyle; }
void Engine::setBorderStyle(int value) { d->borderStyle = value; emit viewChanged(); }
bool Engine::Enabled() const { return d->enabled; }
void Engine::setEnabled(bool on) { d->enabled = on; emit viewChanged(); }
int Engine::WhatsThisHelpID() const { return d->whatsThisHelpId; }
void Engine::setWhatsThisHelpID(int id) { d->whatsThisHelpId = id; }
int Engine::RenderControl() const { return d->renderControl; }
void Engine::setRenderControl(int value) { d->renderControl = value; }

// ---------------------------------------------- driver-dependent settings

int Engine::hDC() const { return 0; }
void Engine::sethDC(int) {}
int Engine::Copies() const { return d->copies; }
// Kept as given; the printer gets at least one copy.
void Engine::setCopies(int copies) { d->copies = copies; }
int Engine::Collate() const { return d->collate; }
void Engine::setCollate(int on) { d->collate = on; }
int Engine::Duplex() const { return d->duplex; }
void Engine::setDuplex(int mode)
{
    if (mode < 1 || mode > 3)
        return d->refuse();
    d->duplex = mode;
}
int Engine::ColorMode() const { return d->colorMode; }
void Engine::setColorMode(int mode) { d->colorMode = mode; }
int Engine::PaperBin() const { return d->paperBin; }
void Engine::setPaperBin(int bin) { d->paperBin = bin; }
int Engine::PrintQuality() const { return d->printQuality; }
void Engine::setPrintQuality(int quality) { d->printQuality = quality; }
int Engine::ScaleOutput() const { return d->scaleOutput; }
void Engine::setScaleOutput(int percent) { d->scaleOutput = std::clamp(percent, 0, 1000); }
int Engine::TrueType() const { return d->trueType; }
void Engine::setTrueType(int mode) { d->trueType = mode; }
bool Engine::AbortWindow() const { return d->abortWindow; }
void Engine::setAbortWindow(bool on) { d->abortWindow = on; }
int Engine::AbortWindowPos() const { return d->abortWindowPos; }
void Engine::setAbortWindowPos(int pos) { d->abortWindowPos = pos; }
QString Engine::AbortCaption() const { return d->abortCaption; }
void Engine::setAbortCaption(const QString &text) { d->abortCaption = text; }
QString Engine::AbortTextButton() const { return d->abortTextButton; }
void Engine::setAbortTextButton(const QString &text) { d->abortTextButton = text; }
QString Engine::AbortTextDevice() const { return d->abortTextDevice; }
void Engine::setAbortTextDevice(const QString &text) { d->abortTextDevice = text; }
QString Engine::AbortTextPage() const { return d->abortTextPage; }
void Engine::setAbortTextPage(const QString &text) { d->abortTextPage = text; }

QString Engine::FileName() const { return d->fileName; }
void Engine::setFileName(const QString &name) { d->fileName = name; }
int Engine::Error() const { return d->error; }
int Engine::Version() const { return 200; }

}  // namespace pages
