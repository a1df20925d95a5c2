#include "ColumnFit.h"

#include "TableWriter.h"
#include "platform/db/Database.h"
#include "platform/db/Statement.h"
#include "platform/pages/cellwrap.h"
#include "platform/pages/engine.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace reports {

namespace {

struct Column
{
    QString marks;
    int width = 0;
};

QList<Column> splitFormat(const QString &format)
{
    QList<Column> columns;
    for (const QString &part : format.split(QLatin1Char('|'))) {
        qsizetype digits = 0;
        while (digits < part.size() && !part.at(digits).isDigit())
            ++digits;
        columns.append({part.left(digits), part.mid(digits).toInt()});
    }
    return columns;
}

QString joinFormat(const QList<Column> &columns)
{
    QStringList parts;
    for (const Column &c : columns)
        parts << c.marks + QString::number(c.width);
    return parts.join(QLatin1Char('|'));
}

// What a cell holding `text` must be wide, in twips of the format (before
// the engine narrows a table wider than the frame by `scale`).
int neededWidth(pages::Engine &engine, const QString &text, double scale)
{
    const bool bold = engine.FontBold();
    engine.setFontBold(true);
    engine.setMeasure(text);
    const int textWidth = engine.TextWid();
    engine.setFontBold(bold);
    // A few twips over the text keep rounding from wrapping it.
    constexpr int Slack = 60;
    return int(std::ceil((textWidth + 2 * pages::CellPaddingX + Slack) / scale));
}

} // namespace

LargestFigures largestFigures(db::Database &db, const QDate &from, const QDate &to)
{
    // total() adds in floating point, where sum() would fail on a range
    // beyond the 64-bit units; a width needs the number of digits only.
    db::Statement st = db.prepare(QStringLiteral(
        "SELECT max(total(esoda), total(ejoda), total(abs(L_tajeos)), abs(total(esoda) - total(ejoda))), count(*)"
        " FROM kinhseis WHERE hmeromhnia BETWEEN ?1 AND ?2"));
    st.bindAll(from, to);
    LargestFigures largest;
    if (st.next()) {
        const double units = st.value(0).toDouble();
        const double most = double(std::numeric_limits<qint64>::max());
        largest.amount = Money::fromUnits(qint64(std::min(units, most)));
        largest.serial = st.integer(1);
    }
    return largest;
}

QList<ColumnNeed> figureNeeds(const QList<int> &amountColumns, int serialColumn, const LargestFigures &largest)
{
    QList<ColumnNeed> needs;
    // Amount columns hold no negative figure: a difference stands in a text column.
    const QString amount = money(largest.amount);
    for (int column : amountColumns)
        needs.append({column, amount});
    if (serialColumn >= 0)
        needs.append({serialColumn, QString::number(std::max<qint64>(largest.serial, 1))});
    return needs;
}

QString fitColumns(pages::Engine &engine, const QString &format, const QList<ColumnNeed> &needs, int donor)
{
    QList<Column> columns = splitFormat(format);
    int total = 0;
    for (const Column &c : columns)
        total += c.width;
    const int frame = engine.PageWidth() - engine.MarginLeft() - engine.MarginRight() - engine.IndentLeft()
                      - engine.IndentRight();
    const double scale = total > frame && total > 0 ? double(frame) / total : 1.0;

    int extra = 0;
    for (const ColumnNeed &need : needs) {
        if (need.column < 0 || need.column >= columns.size() || need.column == donor)
            continue;
        const int width = neededWidth(engine, need.widest, scale);
        if (columns[need.column].width < width) {
            extra += width - columns[need.column].width;
            columns[need.column].width = width;
        }
    }
    if (extra > 0 && donor >= 0 && donor < columns.size())
        columns[donor].width = std::max(MinimumDonorWidth, columns[donor].width - extra);
    return joinFormat(columns);
}

} // namespace reports
