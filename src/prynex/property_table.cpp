#include "prynex/property_table.h"

#include <QHash>

#include <array>

namespace prynex {

namespace {

constexpr Access RW = Access::ReadWrite;
constexpr Access RO = Access::ReadOnly;
constexpr Access WO = Access::WriteOnly;
constexpr Access IX = Access::Indexed;
constexpr bool Hidden = true;
constexpr bool Shown = false;

constexpr Persist LS = Persist::LoadAndSave;
constexpr Persist LD = Persist::LoadDefaultOnly;
constexpr Persist SO = Persist::SaveOnly;
constexpr Persist NO = Persist::No;

using T = Type;
using S = Stored;

// Descriptions that several members share.
constexpr const char *kNone = "";
constexpr const char *kAbortTexts = "Sets/returns text in various elements of the default Abort dialog";
constexpr const char *kCalcResults = "returns results in TextWid, TextHei, X1, Y1, X2, and Y1";
constexpr const char *kCurrent = "Return the current page, column or line being printed by the Printer control";
constexpr const char *kCursor = "Sets/returns the engine's cursor position, in Twips from the top left corner of the page";
constexpr const char *kHdrFont = "Sets/returns the font used for the headers and footers";
constexpr const char *kIndents = "Sets/returns indents, in Twips";
constexpr const char *kMargins = "Sets/returns the margins, in Twips";
constexpr const char *kMouse = "Sets/returns type of mouse control ver the preview window";
constexpr const char *kPageSize = "Returns the size of a page, in Twips";
constexpr const char *kPaperCustom = "Selects custom paper size (driver-dependent)";
constexpr const char *kSpacing = "Sets/returns the amount of vertical spacing, in Twips between paragraphs";
constexpr const char *kMeasured = "Returns the size of strings measured with the Measure property, in Twips";
constexpr const char *kTwipsPerPixel = "Returns the number of Twips for each printer pixel";
constexpr const char *kExtent = "Sets/returns the extent of graphics drawn using the Draw or Picture properties";

constexpr PropertyInfo row(const char *name, Type type, Access access, bool hidden, Persist persist,
                           Stored stored, qint64 number, const char *text, const char *description)
{
    return PropertyInfo{name, type, access, hidden, persist, stored, number, text, description};
}

// Drawing extents are moved for every figure; setting them is not a change
// of the control's settings, nor is the device context.
constexpr PropertyInfo unmarked(PropertyInfo info)
{
    info.marksChanged = false;
    return info;
}

const auto kTable = std::to_array<PropertyInfo>({
    // ---- loaded, in the order a form is read
    row("Enabled", T::Boolean, RW, Shown, LS, S::Boolean, 1, "",
        "Returns/sets a value that determines whether an object can respond to user-generated events."),
    row("Font", T::Font, RW, Shown, LS, S::Font, 0, "", kNone),
    row("AbortCaption", T::Text, RW, Shown, LS, S::Text, 0, "Printing...",
        "Sets/returns the caption for the default Abort dialog"),
    row("AbortTextButton", T::Text, RW, Shown, LS, S::Text, 0, "Cancel", kAbortTexts),
    row("AbortTextDevice", T::Text, RW, Shown, LS, S::Text, 0, "on the %s on %s", kAbortTexts),
    row("AbortTextPage", T::Text, RW, Shown, LS, S::Text, 0, "Now Printing Page %d of", kAbortTexts),
    row("AbortWindow", T::Boolean, RW, Shown, LS, S::Boolean, 1, "",
        "Sets/returns whether the engine should display an Abort dialog while printing"),
    row("AbortWindowPos", T::Enumeration, RW, Shown, LS, S::Integer, 1, "",
        "Sets/returns placement for the default Abort dialog"),
    row("BrushColor", T::Int32, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the color to be used when filling rectangles, ellipses, and polygons"),
    row("BrushStyle", T::Enumeration, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the style to be used when filling rectangles, ellipses, and polygons"),
    row("CalcParagraph", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Calculates the size of paragraphs and returns results in TextWid, TextHei, X1, Y1, X2, and Y1"),
    row("CalcTable", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Calculates the size of tables and returns results in TextWid, TextHei, X1, Y1, X2, and Y1"),
    row("CalcText", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Calculates the size of text and returns results in TextWid, TextHei, X1, Y1, X2, and Y1"),
    row("CalcTextRTF", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Calculates the size an RTF string and returns results in TextWid, TextHei, X1, Y1, X2, and Y1"),
    row("Collate", T::Int16, RW, Hidden, LS, S::Integer, 0, "",
        "Specifies whether collation should be used when printing multiple copies (driver-dependent)"),
    row("ColorMode", T::Int16, RW, Hidden, LS, S::Integer, 1, "",
        "Switches between color and monochrome on color printers (driver-dependent)"),
    row("Columns", T::Int16, RW, Shown, LS, S::Integer, 1, "",
        "Sets/returns the number of columns to be used when printing text"),
    row("Copies", T::Int16, RW, Shown, LS, S::Integer, 0, "",
        "Specifies the number of copies to print (driver-dependent)"),
    row("CurrentX", T::Int32, RW, Hidden, LS, S::Integer, 0, "", kCursor),
    row("CurrentY", T::Int32, RW, Hidden, LS, S::Integer, 0, "", kCursor),
    row("Device", T::Text, RW, Hidden, LS, S::Text, 0, "", "Sets/returns the name of the current printer"),
    row("Draw", T::Enumeration, WO, Hidden, LD, S::Integer, 0, "",
        "Specifies objects (lines, rectangles, and ellipses) to be drawn"),
    row("Duplex", T::Int16, RW, Hidden, LS, S::Integer, 1, "",
        "Selects duplex or double-sided printing (driver-dependent)"),
    row("EmptyColor", T::Int32, RW, Shown, LS, S::Colour, 0x8000000C, "",
        "Color between the page and the edge of the control"),
    row("FileName", T::Text, RW, Shown, LS, S::Text, 0, "", "Sets/returns the name of the current document"),
    row("Footer", T::Text, RW, Shown, LS, S::Text, 0, "", "Sets/returns the footer text"),
    row("HdrColor", T::Int32, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the color of the headers and footers"),
    row("HdrFont", T::Font, RW, Shown, LS, S::Font, 0, "", kHdrFont),
    row("HdrFontBold", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kHdrFont),
    row("HdrFontItalic", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kHdrFont),
    row("HdrFontName", T::Text, RW, Hidden, LS, S::Text, 0, "", kHdrFont),
    row("HdrFontSize", T::Single, RW, Hidden, LS, S::Number, 0, "", kHdrFont),
    row("HdrFontStrikethru", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kHdrFont),
    row("HdrFontUnderline", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kHdrFont),
    row("Header", T::Text, RW, Shown, LS, S::Text, 0, "", "Sets/returns the header text"),
    row("IndentFirst", T::Int32, RW, Shown, LS, S::Integer, 0, "", kIndents),
    row("IndentLeft", T::Int32, RW, Shown, LS, S::Integer, 0, "", kIndents),
    row("IndentRight", T::Int32, RW, Shown, LS, S::Integer, 0, "", kIndents),
    row("IndentTab", T::Int32, RW, Shown, LS, S::Integer, 0, "", "Sets/returns tab width, in Twips"),
    row("LineSpacing", T::Int16, RW, Shown, LS, S::Integer, 100, "",
        "Sets/returns the space between lines of text, as a percentage (e.g. 100% is single spacing)"),
    row("MarginBottom", T::Int32, RW, Shown, LS, S::Integer, 720, "", kMargins),
    row("MarginLeft", T::Int32, RW, Shown, LS, S::Integer, 720, "", kMargins),
    row("MarginRight", T::Int32, RW, Shown, LS, S::Integer, 720, "", kMargins),
    row("MarginTop", T::Int32, RW, Shown, LS, S::Integer, 720, "", kMargins),
    row("Measure", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Measures a string. Its width and height are returned in TextWid and TextHei"),
    row("MousePage", T::Boolean, RW, Shown, LS, S::Boolean, 1, "", kMouse),
    row("MouseScroll", T::Boolean, RW, Shown, LS, S::Boolean, 1, "", kMouse),
    row("MouseZoom", T::Boolean, RW, Shown, LS, S::Boolean, 1, "", kMouse),
    row("Orientation", T::Enumeration, RW, Shown, LS, S::Integer, 0, "", "Sets/returns the paper orientation"),
    row("PageBorder", T::Enumeration, RW, Shown, LS, S::Integer, 3, "",
        "Sets/returns the type of border to be drawn around each page"),
    row("PaperBin", T::Int16, RW, Hidden, LS, S::Integer, 1, "",
        "Selects which paper bin to use (driver-dependent)"),
    row("PaperHeight", T::Int32, RO, Hidden, LS, S::Integer, 0, "", kPaperCustom),
    row("PaperSize", T::Int16, RW, Hidden, LS, S::Integer, 1, "",
        "Selects a standard paper size (driver-dependent)"),
    row("PaperWidth", T::Int32, RO, Hidden, LS, S::Integer, 0, "", kPaperCustom),
    row("Paragraph", T::Text, WO, Hidden, LD, S::Text, 0, "", "Specifies a paragraph to be printed"),
    row("PenColor", T::Colour, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the color of the pen used to draw all graphics"),
    row("PenStyle", T::Enumeration, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the style of the pen used to draw all graphics"),
    row("PenWidth", T::Int16, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the width of the pen used to draw all graphics"),
    row("PhysicalPage", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "",
        "Determines whether to use the entire page or only its printable area"),
    row("Picture", T::Picture, WO, Hidden, LD, S::Picture, 0, "",
        "Sets a picture on a page, or returns an image of the current preview page"),
    row("Polygon", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Draws a polygon defined by a string with X, Y coordinates, in Twips, separated by spaces"),
    row("Polyline", T::Text, WO, Hidden, LD, S::Text, 0, "",
        "Draws a line defined by a string with X, Y coordinates, in Twips, separated by spaces"),
    row("Port", T::Text, RW, Hidden, LS, S::Text, 0, "",
        "Sets/returns the name of the port to which the default Windows printer is connected"),
    row("Preview", T::Boolean, RW, Shown, LS, S::Boolean, 1, "",
        "Determines whether Print control output should be sent to the printer or to the screen"),
    row("PreviewMode", T::Enumeration, RW, Shown, LS, S::Integer, 0, "",
        "Specifies whether the preview image should match the screen, the printer, or be monochrome"),
    row("PreviewPage", T::Int16, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the number of the page being previewed (first page is 1)"),
    // Saved from the engine and, so that a saved value is not lost, loaded again.
    row("PrintQuality", T::Int16, WO, Shown, LS, S::Integer, 0, "",
        "Specifies the printer resolution (driver-dependent)"),
    PropertyInfo{"RenderControl", T::Int32, WO, Hidden, LD, S::Integer, 0, "", kNone, false},
    row("ScaleOutput", T::Int16, RW, Hidden, LS, S::Integer, 0, "",
        "Specifies a percentage by which the printed output is to be scaled (driver-dependent)"),
    row("SpaceAfter", T::Int32, RW, Shown, LS, S::Integer, 0, "", kSpacing),
    row("SpaceBefore", T::Int32, RW, Shown, LS, S::Integer, 0, "", kSpacing),
    row("Table", T::Text, WO, Shown, LD, S::Text, 0, "", "Specifies a table to be printed"),
    row("TableBorder", T::Enumeration, RW, Shown, LS, S::Integer, 7, "",
        "Sets/returns the type of border to be used when drawing tables"),
    // The engine reads its default separators back as "|" CR; kept as the
    // default so that a form at its defaults stores no separators.
    row("TableSep", T::Text, WO, Shown, LS, S::Text, 0, "|\r",
        "Specifies the characters to be used as table row and column separators"),
    row("Text", T::Text, WO, Hidden, LD, S::Text, 0, "", "Specifies text to be printed"),
    row("TextAlign", T::Enumeration, RW, Shown, LS, S::Integer, 0, "",
        "Sets the alignment of printed paragraphs and tables"),
    row("TextAngle", T::Int16, RW, Hidden, LS, S::Integer, 0, "",
        "Sets/returns the text angle, in tenths of degrees"),
    row("TextColor", T::Colour, RW, Shown, LS, S::Integer, 0, "",
        "Sets/returns the color used to print regular text"),
    row("TextRTF", T::Text, WO, Shown, LD, S::Text, 0, "", "Sets an RTF string on the page"),
    row("TrueType", T::Int16, RW, Hidden, LS, S::Integer, 1, "",
        "Specifies how TrueType fonts should be printed (driver-dependent)"),
    row("WhatsThisHelpID", T::Int32, RW, Shown, LS, S::Integer, 0, "",
        "Returns/sets an associated context number for an object."),
    unmarked(row("X1", T::Int32, RW, Hidden, LS, S::Integer, 0, "", kExtent)),
    unmarked(row("X2", T::Int32, RW, Hidden, LS, S::Integer, 0, "", kExtent)),
    unmarked(row("Y1", T::Int32, RW, Hidden, LS, S::Integer, 0, "", kExtent)),
    unmarked(row("Y2", T::Int32, RW, Hidden, LS, S::Integer, 0, "", kExtent)),
    row("Zoom", T::Int16, RW, Shown, LS, S::Integer, 0, "",
        "Determines the size of the preview page: 100% is full size, 0% means fill the control"),
    // The single font members come after the font objects, so they win.
    row("FontName", T::Text, RW, Hidden, LS, S::Text, 0, "", kNone),
    row("FontBold", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kNone),
    row("FontItalic", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kNone),
    row("FontSize", T::Single, RW, Hidden, LS, S::Number, 0, "", kNone),
    row("FontStrikethru", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kNone),
    row("FontUnderline", T::Boolean, RW, Hidden, LS, S::Boolean, 0, "", kNone),
    row("Appearance", T::Enumeration, RW, Shown, LS, S::Integer, 0, "", kNone),
    row("BackColor", T::Colour, RW, Shown, LS, S::Colour, 0xFFFFFF, "", kNone),
    row("BorderStyle", T::Int16, RW, Shown, LS, S::Integer, 1, "", kNone),
    // Loading offers it to the engine, which refuses it; saving stores the engine's.
    row("Version", T::Int16, RO, Hidden, LS, S::Integer, 200, "",
        "Returns the version of the control currently running"),

    // ---- saved only
    row("CurrentColumn", T::Int16, RO, Hidden, SO, S::Integer, 0, "", kCurrent),
    row("CurrentLine", T::Int16, RO, Hidden, SO, S::Integer, 0, "", kCurrent),
    row("CurrentPage", T::Int16, RO, Hidden, SO, S::Integer, 0, "", kCurrent),
    row("DPI", T::Int16, RO, Hidden, SO, S::Integer, 0, "",
        "Returns the resolution of the current printer, in DPI"),
    row("Driver", T::Text, RO, Shown, SO, S::Text, 0, "", "Returns the name of the current printer driver"),
    row("Error", T::Int16, RO, Hidden, SO, S::Integer, 0, "", "Returns errors codes"),
    unmarked(row("hDC", T::Int32, RW, Hidden, SO, S::Integer, 0, "",
                 "Returns the Windows hDC being used by the engine")),
    row("Measuring", T::Boolean, RO, Hidden, SO, S::Boolean, 0, "",
        "Returns True if the engine is measuring text, or False if it is actually printing"),
    row("NDevices", T::Int16, RO, Hidden, SO, S::Integer, 0, "", "Returns the number of printing devices installed"),
    row("NPorts", T::Int16, RO, Hidden, SO, S::Integer, 0, "",
        "Returns the number of ports to which the current printer is attached"),
    row("PageHeight", T::Int32, RO, Hidden, SO, S::Integer, 0, "", kPageSize),
    row("PageWidth", T::Int32, RO, Hidden, SO, S::Integer, 0, "", kPageSize),
    row("TextHei", T::Int32, RO, Shown, SO, S::Integer, 0, "", kMeasured),
    row("TextWid", T::Int32, RO, Hidden, SO, S::Integer, 0, "", kMeasured),
    row("TwipsPerPixelX", T::Int32, RO, Hidden, SO, S::Integer, 0, "", kTwipsPerPixel),
    row("TwipsPerPixelY", T::Int32, RO, Hidden, SO, S::Integer, 0, "", kTwipsPerPixel),

    // ---- not kept in a form
    row("Action", T::Enumeration, WO, Hidden, NO, S::None, 0, "", "Sets actions such as StartDoc, EndDoc, etc."),
    row("Devices", T::Text, IX, Hidden, NO, S::None, 0, "", "Returns the names of the printing devices available"),
    row("PaperBins", T::Boolean, IX, Hidden, NO, S::None, 0, "", "Returns a list of available paper bins"),
    row("PaperSizes", T::Boolean, IX, Hidden, NO, S::None, 0, "", "Returns a list of available paper sizes/bins"),
    row("Ports", T::Text, IX, Hidden, NO, S::None, 0, "",
        "List of the ports to which the default Windows printer is connected"),
});

}  // namespace

std::span<const PropertyInfo> propertyTable()
{
    return kTable;
}

const PropertyInfo *findProperty(QStringView name)
{
    static const QHash<QString, const PropertyInfo *> byName = [] {
        QHash<QString, const PropertyInfo *> index;
        for (const PropertyInfo &info : kTable)
            index.insert(info.qName().toLower(), &info);
        return index;
    }();
    return byName.value(name.toString().toLower(), nullptr);
}

}  // namespace prynex
