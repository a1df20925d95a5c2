#pragma once

// Prynex — a page-layout and print-preview control for Qt programs.
//
// Place it on a form like any widget and program it with the member names of
// the page engine it wraps: StartDoc, Text, AddTable, EndDoc, Zoom,
// MarginLeft... Every property reads and writes the inner engine "Engine1";
// the control keeps no values of its own (Version, always 100, is the one
// exception). Each change of a property is announced with propertyChanged()
// under the property's own name, so a host knows its form must be saved.
//
// All 116 properties are reachable by name (propertyByName and
// setPropertyByName, names without regard to case); the ones shown in Qt
// Designer also have typed accessors. Lengths are twips (1440 an inch);
// colours are 0x00BBGGRR numbers, 0x800000nn being system colours.
//
// A host keeps the control's settings in its form file as the text that
// saveForm() writes and loadForm() reads (see docs/PRYNEX.md).

#include "prynex/prynex_export.h"
#include "prynex/prynex_version.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <memory>

class PrynexPrivate;

class PRYNEX_EXPORT Prynex : public QWidget
{
    Q_OBJECT
    Q_CLASSINFO("DefaultProperty", "Paragraph")

    // The properties Designer shows; all others are reached by name.
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(QFont HdrFont READ HdrFont WRITE setHdrFont)
    Q_PROPERTY(int Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(QColor BackColor READ qBackColor WRITE setBackColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(QString AbortCaption READ AbortCaption WRITE setAbortCaption)
    Q_PROPERTY(QString AbortTextButton READ AbortTextButton WRITE setAbortTextButton)
    Q_PROPERTY(QString AbortTextDevice READ AbortTextDevice WRITE setAbortTextDevice)
    Q_PROPERTY(QString AbortTextPage READ AbortTextPage WRITE setAbortTextPage)
    Q_PROPERTY(bool AbortWindow READ AbortWindow WRITE setAbortWindow)
    Q_PROPERTY(int AbortWindowPos READ AbortWindowPos WRITE setAbortWindowPos)
    Q_PROPERTY(QColor BrushColor READ qBrushColor WRITE setBrushColor)
    Q_PROPERTY(int BrushStyle READ BrushStyle WRITE setBrushStyle)
    Q_PROPERTY(int Columns READ Columns WRITE setColumns)
    Q_PROPERTY(int Copies READ Copies WRITE setCopies)
    Q_PROPERTY(QString Driver READ Driver)
    Q_PROPERTY(QColor EmptyColor READ qEmptyColor WRITE setEmptyColor)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(QString Footer READ Footer WRITE setFooter)
    Q_PROPERTY(QColor HdrColor READ qHdrColor WRITE setHdrColor)
    Q_PROPERTY(QString Header READ Header WRITE setHeader)
    Q_PROPERTY(int IndentFirst READ IndentFirst WRITE setIndentFirst)
    Q_PROPERTY(int IndentLeft READ IndentLeft WRITE setIndentLeft)
    Q_PROPERTY(int IndentRight READ IndentRight WRITE setIndentRight)
    Q_PROPERTY(int IndentTab READ IndentTab WRITE setIndentTab)
    Q_PROPERTY(int LineSpacing READ LineSpacing WRITE setLineSpacing)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE setMarginBottom)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE setMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE setMarginRight)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE setMarginTop)
    Q_PROPERTY(bool MousePage READ MousePage WRITE setMousePage)
    Q_PROPERTY(bool MouseScroll READ MouseScroll WRITE setMouseScroll)
    Q_PROPERTY(bool MouseZoom READ MouseZoom WRITE setMouseZoom)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(int PageBorder READ PageBorder WRITE setPageBorder)
    Q_PROPERTY(QColor PenColor READ qPenColor WRITE setPenColor)
    Q_PROPERTY(int PenStyle READ PenStyle WRITE setPenStyle)
    Q_PROPERTY(int PenWidth READ PenWidth WRITE setPenWidth)
    Q_PROPERTY(bool Preview READ Preview WRITE setPreview)
    Q_PROPERTY(int PreviewMode READ PreviewMode WRITE setPreviewMode)
    Q_PROPERTY(int PreviewPage READ PreviewPage WRITE setPreviewPage)
    Q_PROPERTY(int SpaceAfter READ SpaceAfter WRITE setSpaceAfter)
    Q_PROPERTY(int SpaceBefore READ SpaceBefore WRITE setSpaceBefore)
    Q_PROPERTY(int TableBorder READ TableBorder WRITE setTableBorder)
    Q_PROPERTY(int TextAlign READ TextAlign WRITE setTextAlign)
    Q_PROPERTY(QColor TextColor READ qTextColor WRITE setTextColor)
    Q_PROPERTY(int TextHei READ TextHei)
    Q_PROPERTY(int WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID)
    Q_PROPERTY(int Zoom READ Zoom WRITE setZoom)

public:
    explicit Prynex(QWidget *parent = nullptr);
    ~Prynex() override;

    // ------------------------------------------------------ access by name
    // Reading an unknown or write-only property gives an invalid QVariant;
    // setting an unknown or read-only property, or a value the engine cannot
    // take ("abc" for Zoom), returns false and changes nothing. Numbers may be
    // given as text ("50", or "2cm" for a length).
    QVariant propertyByName(const QString &name) const;
    bool setPropertyByName(const QString &name, const QVariant &value);
    // Devices, Ports, PaperBins, PaperSizes.
    QVariant indexedProperty(const QString &name, int index) const;
    // The 13 methods by name; an invalid QVariant is a missing argument.
    QVariant invokeByName(const QString &method, const QVariantList &args);
    static QStringList propertyNames();

    // Always 100: the control's own version, not the engine's.
    int Version() const { return PRYNEX_VERSION_NUMBER; }

    // ------------------------------------------------------------- methods
    // Optional arguments left as an invalid QVariant are passed on as missing.
    void AddTable(const QString &Format, const QString &Header, const QString &Body,
                  const QVariant &HeaderShade = {}, const QVariant &BodyShade = {},
                  const QVariant &Append = {});
    void DrawCircle(int X1, int Y1, int Radius, const QVariant &Start = {}, const QVariant &En = {});
    void DrawEllipse(int X1, int l, int X2, int Y2, const QVariant &Start = {}, const QVariant &En = {});
    void DrawLine(int X1, int Y1, const QVariant &X2 = {}, const QVariant &Y2 = {});
    void DrawRectangle(int X1, int Y1, int X2, int Y2, const QVariant &Radius1 = {},
                       const QVariant &Radius2 = {});
    void EndDoc();
    bool LoadDoc(const QString &FileName);
    void NewColumn();
    void NewPage();
    bool PrintDoc(const QVariant &Choose = {}, const QVariant &FromPage = {}, const QVariant &ToPage = {});
    bool SaveDoc(const QString &FileName, const QVariant &Compress = {}, const QVariant &FromPage = {},
                 const QVariant &ToPage = {});
    void StartDoc();
    void KillDoc();
    // Shows the About box modally.
    void AboutBox();

    // Writes the document, pages fromPage..toPage (0: to the last), to a PDF
    // file without the print dialog. The PDF is titled `title` and names the
    // host program (QCoreApplication::applicationName()) as its creator;
    // FileName is left as it is. False, with Error set, when there is no page
    // to write or the file cannot be written.
    bool writePdf(const QString &fileName, const QString &title, int fromPage = 1, int toPage = 0);

    // The property sheet (LayOut, General, font and colour pages), opened on
    // the page that edits `property` (LayOut when it has none). Modal;
    // returns true when closed with OK.
    bool ShowPropertyPages(const QString &property = QString(), QWidget *parent = nullptr);

    // ---------------------------------------------------------- form file
    // The control's persisted settings as the text of a host's form file.
    // Loading takes every entry it can and skips the ones it cannot, entry by
    // entry; it returns false (and changes nothing) only for a text that is
    // not a form text at all, with the reason in *error.
    bool loadForm(const QString &formText, QString *error = nullptr);
    QString saveForm() const;

    // ----------------------------------------------- typed accessors
    bool Enabled() const;
    void setEnabled(bool on);  // the control's own enabled state
    // The engine's body font. It hides QWidget::setFont on purpose: the
    // control draws no text of its own, and a form compiled by uic sets the
    // property Font through setFont.
    QFont Font() const;
    void setFont(const QFont &font);
    QFont HdrFont() const;
    void setHdrFont(const QFont &font);
    int WhatsThisHelpID() const;
    void setWhatsThisHelpID(int id);

#define PRYNEX_ACCESSORS(Type, Name) \
    Type Name() const;               \
    void set##Name(Type value);
#define PRYNEX_TEXT_ACCESSORS(Name) \
    QString Name() const;           \
    void set##Name(const QString &value);
// Colours as 0x00BBGGRR numbers, or as QColor (Designer, uic) stored as RGB.
#define PRYNEX_COLOUR_ACCESSORS(Name) \
    uint Name() const;                \
    void set##Name(uint value);       \
    QColor q##Name() const;           \
    void set##Name(const QColor &colour);
    PRYNEX_ACCESSORS(int, Appearance)
    PRYNEX_COLOUR_ACCESSORS(BackColor)
    PRYNEX_ACCESSORS(int, BorderStyle)
    PRYNEX_TEXT_ACCESSORS(AbortCaption)
    PRYNEX_TEXT_ACCESSORS(AbortTextButton)
    PRYNEX_TEXT_ACCESSORS(AbortTextDevice)
    PRYNEX_TEXT_ACCESSORS(AbortTextPage)
    PRYNEX_ACCESSORS(bool, AbortWindow)
    PRYNEX_ACCESSORS(int, AbortWindowPos)
    PRYNEX_COLOUR_ACCESSORS(BrushColor)
    PRYNEX_ACCESSORS(int, BrushStyle)
    PRYNEX_ACCESSORS(int, Columns)
    PRYNEX_ACCESSORS(int, Copies)
    PRYNEX_COLOUR_ACCESSORS(EmptyColor)
    PRYNEX_TEXT_ACCESSORS(FileName)
    PRYNEX_TEXT_ACCESSORS(Footer)
    PRYNEX_COLOUR_ACCESSORS(HdrColor)
    PRYNEX_TEXT_ACCESSORS(Header)
    PRYNEX_ACCESSORS(int, IndentFirst)
    PRYNEX_ACCESSORS(int, IndentLeft)
    PRYNEX_ACCESSORS(int, IndentRight)
    PRYNEX_ACCESSORS(int, IndentTab)
    PRYNEX_ACCESSORS(int, LineSpacing)
    PRYNEX_ACCESSORS(int, MarginBottom)
    PRYNEX_ACCESSORS(int, MarginLeft)
    PRYNEX_ACCESSORS(int, MarginRight)
    PRYNEX_ACCESSORS(int, MarginTop)
    PRYNEX_ACCESSORS(bool, MousePage)
    PRYNEX_ACCESSORS(bool, MouseScroll)
    PRYNEX_ACCESSORS(bool, MouseZoom)
    PRYNEX_ACCESSORS(int, Orientation)
    PRYNEX_ACCESSORS(int, PageBorder)
    PRYNEX_COLOUR_ACCESSORS(PenColor)
    PRYNEX_ACCESSORS(int, PenStyle)
    PRYNEX_ACCESSORS(int, PenWidth)
    PRYNEX_ACCESSORS(bool, Preview)
    PRYNEX_ACCESSORS(int, PreviewMode)
    PRYNEX_ACCESSORS(int, PreviewPage)
    PRYNEX_ACCESSORS(int, SpaceAfter)
    PRYNEX_ACCESSORS(int, SpaceBefore)
    PRYNEX_ACCESSORS(int, TableBorder)
    PRYNEX_ACCESSORS(int, TextAlign)
    PRYNEX_COLOUR_ACCESSORS(TextColor)
    PRYNEX_ACCESSORS(int, Zoom)
#undef PRYNEX_ACCESSORS
#undef PRYNEX_TEXT_ACCESSORS
#undef PRYNEX_COLOUR_ACCESSORS
    QString Driver() const;
    int TextHei() const;
    // Write-only content members (the default member is Paragraph).
    void setText(const QString &text);
    void setParagraph(const QString &text);

signals:
    // The engine's events, in their order; arguments are references, so a
    // handler's change (Cancel, KeyCode, the cell text) reaches the engine.
    void Click();
    void DblClick();
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void MouseDown(qint16 &Button, qint16 &Shift, float &x, float &y);
    void MouseMove(qint16 &Button, qint16 &Shift, float &x, float &y);
    void MouseUp(qint16 &Button, qint16 &Shift, float &x, float &y);
    void EndPage();
    void LoadingDoc(qint16 &Page, qint16 &Of, bool &Cancel);
    void NewLine();
    void NewTableCell(qint16 &Row, qint16 &Column, QString &Cell);
    void PrepareFooter();
    void PrepareHeader();
    void ResetDC();
    void SavingDoc(qint16 &Page, qint16 &Of, bool &Cancel);

    // A property was set: the host's form needs saving.
    void propertyChanged(const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class PrynexPrivate;
    std::unique_ptr<PrynexPrivate> d;
};
