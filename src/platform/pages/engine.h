#pragma once

// pages::Engine — the page-layout and print engine behind the report window.
//
// Report code writes a document with StartDoc, Text/Paragraph, AddTable, the
// Draw... members and EndDoc; the engine lays it out into pages (document.h),
// which the preview widget shows, a QPrinter prints and WritePdf saves.
//
// Member names follow the control the reports were written against, so the
// report code and the Prynex wrapper read the same. Every property is a Qt
// property (QObject::property by name works) and propertyByName/
// setPropertyByName add the forgiving conversions a by-name caller needs
// (case-insensitive names, margins as "2cm"). Lengths are twips (1440 an
// inch). Colours are 0x00BBGGRR values as the reports write them (RGB(r,g,b)
// = r + g*256 + b*65536; 0x800000nn are system colours).

#include "platform/pages/document.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

class QPrinter;

namespace pages {

using ColorRef = uint;  // 0x00BBGGRR

// RGB(r, g, b) as the reports write it.
constexpr ColorRef rgb(int r, int g, int b)
{
    return ColorRef(r & 0xff) | (ColorRef(g & 0xff) << 8) | (ColorRef(b & 0xff) << 16);
}

// Values of the Action property.
namespace action {
enum : int {
    None = 0,
    ChoosePrinter = 1,  // the printer dialog, as PrintDialog(0)
    PageSetup = 2,      // the printer dialog, as PrintDialog(1)
    StartDoc = 3,
    NewPage = 4,
    KillDoc = 5,
    EndDoc = 6,
    NewColumn = 7,
    PrintPage = 8,      // print the page on view (PreviewPage)
    NewLine = 9,
    PrintAll = 11,      // print the whole document
};
}

// Values of the enumerated properties.
namespace orientation { enum : int { Portrait = 0, Landscape = 1 }; }
namespace textalign { enum : int { Left = 0, Right = 1, Center = 2, Justify = 3 }; }
// TableBorder is a set of flags; 7 (all) is the default.
namespace tableborder { enum : int { None = 0, UnderHeader = 1, Box = 2, Grid = 4, All = 7 }; }
// PageBorder is a set of flags; 3 (rules under the header and over the footer) is the default.
namespace pageborder { enum : int { None = 0, UnderHeader = 1, OverFooter = 2, Box = 4, All = 7 }; }
// PenStyle: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible.
// BrushStyle: 0 solid, 1 transparent, 2 horizontal, 3 vertical, 4 upward
// diagonal, 5 downward diagonal, 6 cross, 7 diagonal cross.
// Draw: 0 nothing, 1 line, 2 rectangle, 3 ellipse, 4 rounded rectangle (X1..Y2).
namespace drawobject { enum : int { None = 0, Line = 1, Rectangle = 2, Ellipse = 3, RoundRect = 4 }; }
// PreviewMode: 0 as on screen, 1 as on the printer, 2 monochrome.
// Error: 0 none, 1 no printer, 2 file could not be read or written,
// 3 cancelled by a handler, 4 bad argument, 5 not a document file.
namespace error { enum : int { None = 0, NoPrinter = 1, File = 2, Cancelled = 3, BadArgument = 4, BadFile = 5 }; }

class EnginePrivate;

class Engine : public QObject {
    Q_OBJECT

    // --- layout of text and tables
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE setFontItalic)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline)
    Q_PROPERTY(bool FontStrikethru READ FontStrikethru WRITE setFontStrikethru)
    Q_PROPERTY(QFont HdrFont READ HdrFont WRITE setHdrFont)
    Q_PROPERTY(QString HdrFontName READ HdrFontName WRITE setHdrFontName)
    Q_PROPERTY(double HdrFontSize READ HdrFontSize WRITE setHdrFontSize)
    Q_PROPERTY(bool HdrFontBold READ HdrFontBold WRITE setHdrFontBold)
    Q_PROPERTY(bool HdrFontItalic READ HdrFontItalic WRITE setHdrFontItalic)
    Q_PROPERTY(bool HdrFontUnderline READ HdrFontUnderline WRITE setHdrFontUnderline)
    Q_PROPERTY(bool HdrFontStrikethru READ HdrFontStrikethru WRITE setHdrFontStrikethru)
    Q_PROPERTY(uint HdrColor READ HdrColor WRITE setHdrColor)
    Q_PROPERTY(QString Header READ Header WRITE setHeader)
    Q_PROPERTY(QString Footer READ Footer WRITE setFooter)
    Q_PROPERTY(uint TextColor READ TextColor WRITE setTextColor)
    Q_PROPERTY(int TextAlign READ TextAlign WRITE setTextAlign)
    Q_PROPERTY(int TextAngle READ TextAngle WRITE setTextAngle)
    Q_PROPERTY(int IndentFirst READ IndentFirst WRITE setIndentFirst)
    Q_PROPERTY(int IndentLeft READ IndentLeft WRITE setIndentLeft)
    Q_PROPERTY(int IndentRight READ IndentRight WRITE setIndentRight)
    Q_PROPERTY(int IndentTab READ IndentTab WRITE setIndentTab)
    Q_PROPERTY(int LineSpacing READ LineSpacing WRITE setLineSpacing)
    Q_PROPERTY(int SpaceBefore READ SpaceBefore WRITE setSpaceBefore)
    Q_PROPERTY(int SpaceAfter READ SpaceAfter WRITE setSpaceAfter)
    Q_PROPERTY(int Columns READ Columns WRITE setColumns)
    Q_PROPERTY(int TableBorder READ TableBorder WRITE setTableBorder)
    Q_PROPERTY(QString TableSep READ TableSep WRITE setTableSep)
    Q_PROPERTY(int PageBorder READ PageBorder WRITE setPageBorder)
    Q_PROPERTY(int CurrentX READ CurrentX WRITE setCurrentX)
    Q_PROPERTY(int CurrentY READ CurrentY WRITE setCurrentY)
    Q_PROPERTY(int CurrentPage READ CurrentPage)
    Q_PROPERTY(int CurrentLine READ CurrentLine)
    Q_PROPERTY(int CurrentColumn READ CurrentColumn)
    // write-only content members (reading gives an empty value)
    Q_PROPERTY(QString Text READ writeOnlyText WRITE setText)
    Q_PROPERTY(QString Paragraph READ writeOnlyText WRITE setParagraph)
    Q_PROPERTY(QString Table READ writeOnlyText WRITE setTable)
    Q_PROPERTY(QString TextRTF READ writeOnlyText WRITE setTextRTF)
    Q_PROPERTY(QString Polygon READ writeOnlyText WRITE setPolygon)
    Q_PROPERTY(QString Polyline READ writeOnlyText WRITE setPolyline)
    Q_PROPERTY(QString Measure READ writeOnlyText WRITE setMeasure)
    Q_PROPERTY(QString CalcText READ writeOnlyText WRITE setCalcText)
    Q_PROPERTY(QString CalcParagraph READ writeOnlyText WRITE setCalcParagraph)
    Q_PROPERTY(QString CalcTable READ writeOnlyText WRITE setCalcTable)
    Q_PROPERTY(QString CalcTextRTF READ writeOnlyText WRITE setCalcTextRTF)
    Q_PROPERTY(int Draw READ writeOnlyInt WRITE setDraw)
    Q_PROPERTY(int Action READ writeOnlyInt WRITE setAction)
    Q_PROPERTY(QImage Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int TextWid READ TextWid)
    Q_PROPERTY(int TextHei READ TextHei)
    Q_PROPERTY(bool Measuring READ Measuring)
    Q_PROPERTY(int X1 READ X1 WRITE setX1)
    Q_PROPERTY(int Y1 READ Y1 WRITE setY1)
    Q_PROPERTY(int X2 READ X2 WRITE setX2)
    Q_PROPERTY(int Y2 READ Y2 WRITE setY2)
    // --- drawing
    Q_PROPERTY(uint PenColor READ PenColor WRITE setPenColor)
    Q_PROPERTY(int PenStyle READ PenStyle WRITE setPenStyle)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE setPenWidth)
    Q_PROPERTY(uint BrushColor READ BrushColor WRITE setBrushColor)
    Q_PROPERTY(int BrushStyle READ BrushStyle WRITE setBrushStyle)
    // --- page
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE setMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE setMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE setMarginTop)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE setMarginBottom)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(int PaperSize READ PaperSize WRITE setPaperSize)
    Q_PROPERTY(int PaperWidth READ PaperWidth WRITE setPaperWidth)
    Q_PROPERTY(int PaperHeight READ PaperHeight WRITE setPaperHeight)
    Q_PROPERTY(int PageWidth READ PageWidth)
    Q_PROPERTY(int PageHeight READ PageHeight)
    Q_PROPERTY(bool PhysicalPage READ PhysicalPage WRITE setPhysicalPage)
    // --- preview
    Q_PROPERTY(bool Preview READ Preview WRITE setPreview)
    Q_PROPERTY(int PreviewMode READ PreviewMode WRITE setPreviewMode)
    Q_PROPERTY(int PreviewPage READ PreviewPage WRITE setPreviewPage)
    Q_PROPERTY(int Zoom READ Zoom WRITE setZoom)
    Q_PROPERTY(bool MousePage READ MousePage WRITE setMousePage)
    Q_PROPERTY(bool MouseScroll READ MouseScroll WRITE setMouseScroll)
    Q_PROPERTY(bool MouseZoom READ MouseZoom WRITE setMouseZoom)
    Q_PROPERTY(uint EmptyColor READ EmptyColor WRITE setEmptyColor)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID)
    Q_PROPERTY(int RenderControl READ RenderControl WRITE setRenderControl)
    // --- printer and driver-dependent settings
    Q_PROPERTY(int NDevices READ NDevices)
    Q_PROPERTY(QString Device READ Device WRITE setDevice)
    Q_PROPERTY(QString Driver READ Driver)
    Q_PROPERTY(QString Port READ Port WRITE setPort)
    Q_PROPERTY(int NPorts READ NPorts)
    Q_PROPERTY(int DPI READ DPI)
    Q_PROPERTY(int TwipsPerPixelX READ TwipsPerPixelX)
    Q_PROPERTY(int TwipsPerPixelY READ TwipsPerPixelY)
    Q_PROPERTY(int hDC READ hDC WRITE sethDC)
    Q_PROPERTY(int Copies READ Copies WRITE setCopies)
    Q_PROPERTY(int Collate READ Collate WRITE setCollate)
    Q_PROPERTY(int Duplex READ Duplex WRITE setDuplex)
    Q_PROPERTY(int ColorMode READ ColorMode WRITE setColorMode)
    Q_PROPERTY(int PaperBin READ PaperBin WRITE setPaperBin)
    Q_PROPERTY(int PrintQuality READ PrintQuality WRITE setPrintQuality)
    Q_PROPERTY(int ScaleOutput READ ScaleOutput WRITE setScaleOutput)
    Q_PROPERTY(int TrueType READ TrueType WRITE setTrueType)
    Q_PROPERTY(bool AbortWindow READ AbortWindow WRITE setAbortWindow)
    Q_PROPERTY(int AbortWindowPos READ AbortWindowPos WRITE setAbortWindowPos)
    Q_PROPERTY(QString AbortCaption READ AbortCaption WRITE setAbortCaption)
    Q_PROPERTY(QString AbortTextButton READ AbortTextButton WRITE setAbortTextButton)
    Q_PROPERTY(QString AbortTextDevice READ AbortTextDevice WRITE setAbortTextDevice)
    Q_PROPERTY(QString AbortTextPage READ AbortTextPage WRITE setAbortTextPage)
    // --- document
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(int Error READ Error)
    Q_PROPERTY(int Version READ Version)

public:
    explicit Engine(QObject *parent = nullptr);
    ~Engine() override;

    // ---------------------------------------------------------------- methods
    void StartDoc();
    void EndDoc();
    void KillDoc();   // drops the document in progress
    void NewPage();
    void NewColumn();

    // A table in the format convention "^1100|<4000|>1500": "|" between
    // columns, "<" left, "^" centred, ">" right, then the width in twips; a
    // second mark (">^1800") aligns the heading. Header: headings joined by
    // "|". Body: rows separated by carriage returns, cells by "|". Shades are
    // colours; 0 means no shade. With append the body rows continue the table
    // written last (its heading repeats on every new page). A body of blank
    // cells only, when opening a table, writes no row.
    void AddTable(const QString &format, const QString &header, const QString &body,
                  ColorRef headerShade = 0, ColorRef bodyShade = 0, bool append = false);

    // Coordinates in twips from the sheet's top-left corner. Angles in
    // radians counter-clockwise from 3 o'clock; a negative angle also draws
    // the radius to it (a pie slice).
    void DrawCircle(int x, int y, int radius, std::optional<double> start = {},
                    std::optional<double> end = {});
    void DrawEllipse(int x1, int y1, int x2, int y2, std::optional<double> start = {},
                     std::optional<double> end = {});
    // With only one point, the line runs from the end of the previous line.
    void DrawLine(int x1, int y1, std::optional<int> x2 = {}, std::optional<int> y2 = {});
    void DrawRectangle(int x1, int y1, int x2, int y2, int radius1 = 0,
                       std::optional<int> radius2 = {});

    // Documents in the engine's own file format; true on success.
    bool SaveDoc(const QString &fileName, bool compress = false, int fromPage = 1, int toPage = 0);
    bool LoadDoc(const QString &fileName);

    // Prints pages fromPage..toPage (0: to the last) on the current printer;
    // with choose the printer dialog comes first and may cancel.
    bool PrintDoc(bool choose = false, int fromPage = 1, int toPage = 0);

    // The printer dialog: kind 0 chooses the printer, 1 the page setup. The
    // logic library has no dialog of its own; the widgets library installs
    // one (installPrintDialog), tests install their own. Without a hook it
    // returns false at once.
    bool PrintDialog(int kind = 0);

    // Writes pages fromPage..toPage (0: to the last) as a PDF file.
    // beforePage(page, of) is called before each page; false stops (Error 3).
    // The file is written aside and takes its name only when whole, so a
    // stopped or failed write leaves an older file of that name as it was.
    // The PDF is titled `title` (FileName when empty) and names `creator` as
    // the program that made it (the application's name when empty).
    bool WritePdf(const QString &fileName, int fromPage = 1, int toPage = 0,
                  const std::function<bool(int page, int of)> &beforePage = {}, const QString &title = {},
                  const QString &creator = {});

    // --------------------------------------------------------- the document
    const pages::Document &document() const;
    int PageCount() const;
    bool isDocOpen() const;  // between StartDoc and EndDoc

    // ------------------------------------------------------ access by name
    // Case-insensitive; integer twip properties accept texts with a unit
    // ("2cm", "0.5cm", "1in", "72pt", "10mm", "1440"). Unknown names or
    // unconvertible values return false / an invalid QVariant.
    QVariant propertyByName(const QString &name) const;
    bool setPropertyByName(const QString &name, const QVariant &value);
    // Indexed properties: Devices, Ports, PaperBins, PaperSizes.
    QVariant indexedProperty(const QString &name, int index) const;
    // Methods by name; a missing optional argument is an invalid QVariant
    // or simply absent. Returns the method's result (bool) or invalid.
    QVariant invokeByName(const QString &method, const QVariantList &args);
    static QStringList propertyNames();

    // ------------------------------------------------------------- printer
    QPrinter &printer();  // the printer Action 8/11 and PrintDoc print on
    using DialogHook = std::function<bool(Engine &engine, int kind)>;
    void setDialogHook(DialogHook hook);
    static void setDefaultDialogHook(DialogHook hook);  // for engines without their own
    // Called before each page goes to the printer with (page, of); false
    // stops printing (Error 3). The widgets library shows the abort window
    // through it when AbortWindow is set.
    using PrintProgress = std::function<bool(Engine &engine, int page, int of)>;
    void setPrintProgress(PrintProgress progress);

    // ------------------------------------------------- property accessors
    QFont Font() const;
    void setFont(const QFont &font);
    QString FontName() const;
    void setFontName(const QString &name);
    double FontSize() const;
    void setFontSize(double points);
    bool FontBold() const;
    void setFontBold(bool on);
    bool FontItalic() const;
    void setFontItalic(bool on);
    bool FontUnderline() const;
    void setFontUnderline(bool on);
    bool FontStrikethru() const;
    void setFontStrikethru(bool on);
    FontSpec fontSpec() const;

    QFont HdrFont() const;
    void setHdrFont(const QFont &font);
    QString HdrFontName() const;
    void setHdrFontName(const QString &name);
    double HdrFontSize() const;
    void setHdrFontSize(double points);
    bool HdrFontBold() const;
    void setHdrFontBold(bool on);
    bool HdrFontItalic() const;
    void setHdrFontItalic(bool on);
    bool HdrFontUnderline() const;
    void setHdrFontUnderline(bool on);
    bool HdrFontStrikethru() const;
    void setHdrFontStrikethru(bool on);
    ColorRef HdrColor() const;
    void setHdrColor(ColorRef color);

    // "left|centre|right": a leading "|" centres the text, two right-align it.
    QString Header() const;
    void setHeader(const QString &text);
    // Same three parts; "%d" becomes the page number.
    QString Footer() const;
    void setFooter(const QString &text);

    ColorRef TextColor() const;
    void setTextColor(ColorRef color);
    int TextAlign() const;
    void setTextAlign(int align);
    int TextAngle() const;
    void setTextAngle(int tenthsOfDegree);
    int IndentFirst() const;
    void setIndentFirst(int twips);
    int IndentLeft() const;
    void setIndentLeft(int twips);
    int IndentRight() const;
    void setIndentRight(int twips);
    int IndentTab() const;
    void setIndentTab(int twips);
    int LineSpacing() const;
    void setLineSpacing(int percent);
    int SpaceBefore() const;
    void setSpaceBefore(int twips);
    int SpaceAfter() const;
    void setSpaceAfter(int twips);
    int Columns() const;
    void setColumns(int count);
    int TableBorder() const;
    void setTableBorder(int flags);
    QString TableSep() const;  // column separator then row separator; "|\r" by default
    void setTableSep(const QString &separators);
    int PageBorder() const;
    void setPageBorder(int flags);

    int CurrentX() const;
    void setCurrentX(int twips);
    int CurrentY() const;
    void setCurrentY(int twips);
    int CurrentPage() const;
    int CurrentLine() const;
    int CurrentColumn() const;

    // Writes text at the current position; a carriage return (or line feed)
    // ends the line, a tab moves to the next IndentTab stop; long lines wrap.
    void setText(const QString &text);
    // A paragraph of its own line(s): indents, SpaceBefore/After and TextAlign
    // apply. It is the default text member.
    void setParagraph(const QString &text);
    // "format" CR "header" CR body rows (CR between rows), as AddTable.
    void setTable(const QString &tableText);
    // RTF with basic styling: bold, italic, underline, strike, size, colour,
    // paragraphs, line breaks, tabs; everything else is read as plain text.
    void setTextRTF(const QString &rtf);
    void setPolygon(const QString &points);   // "x y x y ..." in twips
    void setPolyline(const QString &points);
    void setMeasure(const QString &text);     // TextWid/TextHei of the text, unwrapped
    void setCalcText(const QString &text);    // as Text would lay it out from CurrentX/Y
    void setCalcParagraph(const QString &text);
    void setCalcTable(const QString &tableText);
    void setCalcTextRTF(const QString &rtf);
    void setDraw(int object);                 // draws with X1, Y1, X2, Y2
    void setAction(int action);
    QImage Picture() const;                   // an image of the page on view
    void setPicture(const QImage &image);     // placed in X1, Y1, X2, Y2 (natural size if empty)
    // A recorded drawing (QPicture) scaled from its `frame` to fill X1, Y1,
    // X2, Y2; it stays vector on every device. Nothing is added without a box.
    void DrawRecording(const QPicture &picture, const QSizeF &frame);
    int TextWid() const;
    int TextHei() const;
    bool Measuring() const;
    int X1() const;
    void setX1(int twips);
    int Y1() const;
    void setY1(int twips);
    int X2() const;
    void setX2(int twips);
    int Y2() const;
    void setY2(int twips);

    ColorRef PenColor() const;
    void setPenColor(ColorRef color);
    int PenStyle() const;
    void setPenStyle(int style);
    int PenWidth() const;
    void setPenWidth(int twips);
    ColorRef BrushColor() const;
    void setBrushColor(ColorRef color);
    int BrushStyle() const;
    void setBrushStyle(int style);

    int MarginLeft() const;
    void setMarginLeft(int twips);
    bool setMarginLeft(const QString &length);  // "2cm"; false if not a length
    int MarginRight() const;
    void setMarginRight(int twips);
    bool setMarginRight(const QString &length);
    int MarginTop() const;
    void setMarginTop(int twips);
    bool setMarginTop(const QString &length);
    int MarginBottom() const;
    void setMarginBottom(int twips);
    bool setMarginBottom(const QString &length);
    int Orientation() const;
    void setOrientation(int value);
    int PaperSize() const;           // 9 A4, 1 Letter, 5 Legal, 8 A3, 11 A5, ... 256 custom
    void setPaperSize(int id);
    int PaperWidth() const;          // the sheet, portrait, twips
    void setPaperWidth(int twips);   // makes PaperSize custom (256)
    int PaperHeight() const;
    void setPaperHeight(int twips);
    int PageWidth() const;           // orientation applied
    int PageHeight() const;
    bool PhysicalPage() const;
    void setPhysicalPage(bool on);

    bool Preview() const;            // false: EndDoc prints at once
    void setPreview(bool on);
    int PreviewMode() const;
    void setPreviewMode(int mode);
    int PreviewPage() const;         // from 1
    void setPreviewPage(int page);
    int Zoom() const;                // per cent; 0 fits the page in the view
    void setZoom(int percent);
    bool MousePage() const;
    void setMousePage(bool on);
    bool MouseScroll() const;
    void setMouseScroll(bool on);
    bool MouseZoom() const;
    void setMouseZoom(bool on);
    ColorRef EmptyColor() const;
    void setEmptyColor(ColorRef color);
    ColorRef BackColor() const;
    void setBackColor(ColorRef color);
    int Appearance() const;
    void setAppearance(int value);
    int BorderStyle() const;
    void setBorderStyle(int value);
    bool Enabled() const;
    void setEnabled(bool on);
    int WhatsThisHelpID() const;
    void setWhatsThisHelpID(int id);
    int RenderControl() const;
    void setRenderControl(int value);

    int NDevices() const;
    QString Device() const;
    void setDevice(const QString &name);
    QStringList Devices() const;
    QString Driver() const;
    QString Port() const;
    void setPort(const QString &port);
    int NPorts() const;
    QStringList Ports() const;
    int DPI() const;
    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;
    int hDC() const;                 // always 0: there is no device context here
    void sethDC(int value);          // ignored
    int Copies() const;
    void setCopies(int copies);
    int Collate() const;
    void setCollate(int on);
    int Duplex() const;              // 1 simplex, 2 long edge, 3 short edge
    void setDuplex(int mode);
    int ColorMode() const;           // 1 monochrome, 2 colour
    void setColorMode(int mode);
    int PaperBin() const;
    void setPaperBin(int bin);
    bool PaperBins(int binId) const;
    bool PaperSizes(int paperId) const;
    int PrintQuality() const;        // positive: dots per inch; negative: driver levels (kept)
    void setPrintQuality(int quality);
    int ScaleOutput() const;         // per cent; 0 or 100 prints at full size
    void setScaleOutput(int percent);
    int TrueType() const;
    void setTrueType(int mode);
    bool AbortWindow() const;
    void setAbortWindow(bool on);
    int AbortWindowPos() const;
    void setAbortWindowPos(int pos);
    QString AbortCaption() const;
    void setAbortCaption(const QString &text);
    QString AbortTextButton() const;
    void setAbortTextButton(const QString &text);
    QString AbortTextDevice() const;
    void setAbortTextDevice(const QString &text);
    QString AbortTextPage() const;
    void setAbortTextPage(const QString &text);

    QString FileName() const;
    void setFileName(const QString &name);
    int Error() const;
    int Version() const;             // 200

signals:
    // Events. Every argument is passed by reference: what a handler leaves
    // in it is what the engine, and the handlers after it, go on with (the
    // preview acts on the mouse button, shift state and point left by the
    // mouse handlers, in twips of the view).
    void Click();
    void DblClick();
    void KeyDown(int &keyCode, int &shift);
    void KeyPress(int &keyAscii);
    void KeyUp(int &keyCode, int &shift);
    void MouseDown(int &button, int &shift, float &x, float &y);
    void MouseMove(int &button, int &shift, float &x, float &y);
    void MouseUp(int &button, int &shift, float &x, float &y);
    void EndPage();                      // a page is complete
    void LoadingDoc(int &page, int &of, bool &cancel);
    void NewLine();                      // after every line, column and page break
    void NewTableCell(int &row, int &column, QString &cell);
    void PrepareFooter();                // header and footer are drawn after these
    void PrepareHeader();
    void ResetDC();                      // between one page and the next
    void SavingDoc(int &page, int &of, bool &cancel);

    // Notifications for the preview (not events of the control).
    void documentChanged();
    // A page of the document being written is finished: a preview may show it
    // while the rest is still laid out.
    void pagesGrew(int finishedPages);
    void previewPageChanged(int page);
    void viewChanged();                  // zoom, mouse flags, colours

private:
    QString writeOnlyText() const { return {}; }
    int writeOnlyInt() const { return 0; }
    friend class EnginePrivate;
    std::unique_ptr<EnginePrivate> d;
};

}  // namespace pages
