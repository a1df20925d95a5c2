#include "prynex/property_values.h"

#include "platform/pages/engine.h"
#include "platform/pages/paper.h"

#include <QPageSize>

#include <cmath>

using namespace Qt::StringLiterals;

namespace prynex {

namespace {

// Every paper number the engine knows, with the sheet's name and size.
std::vector<ValueMeaning> paperSizes()
{
    std::vector<ValueMeaning> papers;
    for (int id = 1; id < pages::CustomPaper; ++id) {
        const auto pageSize = pages::paperPageSizeId(id);
        const auto twips = pages::paperTwips(id);
        if (!pageSize || !twips)
            continue;
        const auto mm = [](int length) { return int(std::lround(length * 25.4 / 1440)); };
        papers.push_back({id, u"%1, %2 × %3 mm"_s.arg(QPageSize::name(*pageSize))
                                  .arg(mm(twips->width()))
                                  .arg(mm(twips->height()))});
    }
    papers.push_back({pages::CustomPaper, u"custom: PaperWidth × PaperHeight"_s});
    return papers;
}

}  // namespace

const std::vector<PropertyValues> &propertyValues()
{
    namespace a = pages::action;
    static const std::vector<PropertyValues> lists = {
        {"AbortWindowPos", ValueKind::Open, {{0, u"centred on the screen"_s}, {1, u"over the active window"_s}},
         "as 1"},
        {"Action", ValueKind::Open,
         {{a::ChoosePrinter, u"the printer dialog"_s},
          {a::PageSetup, u"the page set-up dialog"_s},
          {a::StartDoc, u"StartDoc"_s},
          {a::NewPage, u"NewPage"_s},
          {a::KillDoc, u"KillDoc"_s},
          {a::EndDoc, u"EndDoc"_s},
          {a::NewColumn, u"NewColumn"_s},
          {a::PrintPage, u"print the page on view (PreviewPage)"_s},
          {a::NewLine, u"a new line"_s},
          {a::PrintAll, u"print the whole document"_s}},
         "do nothing"},
        {"Appearance", ValueKind::Open, {{0, u"flat"_s}, {1, u"three-dimensional frame"_s}}, "as 1"},
        {"BorderStyle", ValueKind::Open, {{0, u"no frame"_s}, {1, u"a frame"_s}}, "as 1"},
        {"BrushStyle", ValueKind::Closed,
         {{0, u"solid"_s},
          {1, u"transparent"_s},
          {2, u"horizontal lines"_s},
          {3, u"vertical lines"_s},
          {4, u"upward diagonal lines"_s},
          {5, u"downward diagonal lines"_s},
          {6, u"cross"_s},
          {7, u"diagonal cross"_s}},
         ""},
        {"ColorMode", ValueKind::Open, {{1, u"monochrome"_s}, {2, u"colour"_s}}, "as 2"},
        {"Draw", ValueKind::Open,
         {{pages::drawobject::None, u"nothing"_s},
          {pages::drawobject::Line, u"a line from X1, Y1 to X2, Y2"_s},
          {pages::drawobject::Rectangle, u"a rectangle in X1, Y1, X2, Y2"_s},
          {pages::drawobject::Ellipse, u"an ellipse in X1, Y1, X2, Y2"_s},
          {pages::drawobject::RoundRect, u"a rounded rectangle in X1, Y1, X2, Y2"_s}},
         "draw nothing"},
        {"Duplex", ValueKind::Closed,
         {{1, u"one-sided"_s}, {2, u"two-sided, turned on the long edge"_s}, {3, u"two-sided, turned on the short edge"_s}},
         ""},
        {"Error", ValueKind::Open,
         {{pages::error::None, u"no error"_s},
          {pages::error::NoPrinter, u"no printer, or no such printer"_s},
          {pages::error::File, u"a file could not be read or written"_s},
          {pages::error::Cancelled, u"cancelled by a handler or the abort window"_s},
          {pages::error::BadArgument, u"a value or argument the engine refused"_s},
          {pages::error::BadFile, u"not a document file"_s}},
         ""},
        {"Orientation", ValueKind::Closed,
         {{pages::orientation::Portrait, u"portrait"_s}, {pages::orientation::Landscape, u"landscape"_s}},
         ""},
        {"PageBorder", ValueKind::Flags,
         {{pages::pageborder::UnderHeader, u"a rule under the header"_s},
          {pages::pageborder::OverFooter, u"a rule over the footer"_s},
          {pages::pageborder::Box, u"a box around the page"_s}},
         ""},
        {"PaperBin", ValueKind::Open,
         {{1, u"upper (or only) tray"_s},
          {2, u"lower tray"_s},
          {3, u"middle tray"_s},
          {4, u"manual feed"_s},
          {5, u"envelope"_s},
          {6, u"envelope, manual feed"_s},
          {7, u"automatic"_s},
          {8, u"tractor"_s},
          {9, u"small format"_s},
          {10, u"large format"_s},
          {11, u"large capacity"_s},
          {14, u"cassette"_s},
          {15, u"form source"_s}},
         "kept, and the printer chooses"},
        {"PaperSize", ValueKind::Closed, paperSizes(), ""},
        {"PenStyle", ValueKind::Closed,
         {{0, u"solid"_s},
          {1, u"dash"_s},
          {2, u"dot"_s},
          {3, u"dash-dot"_s},
          {4, u"dash-dot-dot"_s},
          {5, u"invisible"_s},
          {6, u"solid, inside the frame"_s}},
         ""},
        {"PreviewMode", ValueKind::Closed,
         {{0, u"as on the screen"_s}, {1, u"as on the printer"_s}, {2, u"monochrome"_s}}, ""},
        {"TableBorder", ValueKind::Flags,
         {{pages::tableborder::UnderHeader, u"a rule under the heading"_s},
          {pages::tableborder::Box, u"a box around the table"_s},
          {pages::tableborder::Grid, u"lines between the cells"_s}},
         ""},
        {"TextAlign", ValueKind::Closed,
         {{pages::textalign::Left, u"left"_s},
          {pages::textalign::Right, u"right"_s},
          {pages::textalign::Center, u"centred"_s},
          {pages::textalign::Justify, u"justified"_s}},
         ""},
    };
    return lists;
}

const PropertyValues *valuesOf(QStringView property)
{
    for (const PropertyValues &list : propertyValues())
        if (property.compare(QLatin1StringView(list.property), Qt::CaseInsensitive) == 0)
            return &list;
    return nullptr;
}

}  // namespace prynex
