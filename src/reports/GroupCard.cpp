#include "GroupCard.h"

#include "GroupCardData.h"
#include "PageFrame.h"
#include "ReportSteps.h"
#include "TableWriter.h"
#include "data/Store.h"

namespace reports {

namespace {

const QString HeadingFormat = QStringLiteral("^3500|^1800|^3500|>^1800|^3500|>^1800");
const QString RowFormat = QStringLiteral("<3500|>1800|<3500|>1800|<3500|>1800");

// The card sets its own page instead of the common frame: landscape, wider
// top margin, and the preview's mouse zoom, paging and scrolling.
void applyCardPage(pages::Engine &engine)
{
    applyPageFrame(engine);
    engine.setMarginBottom(850);
    engine.setMarginLeft(450);
    engine.setMarginRight(850);
    engine.setMarginTop(850);
    engine.setFontName(QStringLiteral("arial greek"));
    engine.setFontSize(10);
    engine.setPaperSize(9);
    engine.setOrientation(pages::orientation::Landscape);
    engine.setMouseScroll(true);
    engine.setMouseZoom(true);
    engine.setMousePage(true);
}

// The three "Ποσό" headings differ by the blanks before them, as users know them.
QString headingRow(const GroupCardColumns &columns)
{
    return columns[0].heading + QStringLiteral("|Ποσό|") + columns[1].heading + QStringLiteral("|  Ποσό|")
        + columns[2].heading + QStringLiteral("|   Ποσό|");
}

qsizetype longestColumn(const GroupCardColumns &columns)
{
    qsizetype longest = 0;
    for (const GroupCardColumn &column : columns)
        longest = std::max(longest, column.lines.size());
    return longest;
}

} // namespace

void groupCard(pages::Engine &engine, Store &store, const ReportInput &input)
{
    std::array<groups::ColumnChoice, groups::GroupColumnCount> choices;
    for (int i = 0; i < groups::GroupColumnCount; ++i)
        choices[i] = groups::readColumnChoice(i);
    const GroupCardColumns columns = readGroupCard(store.main(), input.from, input.to, choices);
    const qsizetype lineCount = longestColumn(columns);

    applyCardPage(engine);
    engine.StartDoc();
    engine.setHdrFontName(QStringLiteral("Arial greek"));
    engine.setHdrFontSize(13);
    engine.setHeader(QStringLiteral("Καρτέλα ομάδων από ") + date(input.from) + QStringLiteral("  έως  ")
                     + date(input.to) + QStringLiteral("   ") + input.headerCaption);

    TableWriter table(engine);
    engine.setFontBold(true);
    table.open(HeadingFormat, headingRow(columns), QStringLiteral("|||||"));
    table.setFormat(RowFormat);
    engine.setFontBold(false);
    table.setShades(0, RowShade);

    std::array<Money, groups::GroupColumnCount> totals{};
    for (qsizetype line = 0; line < lineCount; ++line) {
        QStringList cells;
        for (int i = 0; i < groups::GroupColumnCount; ++i) {
            const GroupCardColumn &column = columns[i];
            // A column without groups, or one that has run out of movements,
            // keeps its two cells empty so the columns right of it stay in place.
            if (line < column.lines.size()) {
                const GroupCardLine &movement = column.lines[line];
                cells << movement.description << moneyOrZero(movement.amount);
                totals[i] += movement.amount;
            } else {
                cells << QString() << QString();
            }
        }
        table.appendShaded(cells);
        countRow(input, line + 1, lineCount);
    }

    engine.setFontBold(true);
    engine.AddTable(RowFormat, table.header(),
                    QStringList{QString(), moneyOrZero(totals[0]), QString(), moneyOrZero(totals[1]), QString(),
                                moneyOrZero(totals[2])}
                        .join(QLatin1Char('|')));
    engine.setFontBold(false);

    if (lineCount == 0)
        engine.setText(QStringLiteral("\r\r Δεν υπάρχουν αναφορές\r"));
    engine.EndDoc();
}

} // namespace reports
