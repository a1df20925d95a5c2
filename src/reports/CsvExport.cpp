#include "CsvExport.h"

#include "platform/pages/document.h"

#include <QSaveFile>

#include <algorithm>
#include <functional>

namespace reports {

namespace {

QString csvCell(const QString &text)
{
    const QString cell = text.trimmed();
    if (!cell.contains(QLatin1Char(';')) && !cell.contains(QLatin1Char('"')) && !cell.contains(QLatin1Char('\n'))
        && !cell.contains(QLatin1Char('\r')))
        return cell;
    QString quoted = cell;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList &cells)
{
    QStringList out;
    for (const QString &cell : cells)
        out << csvCell(cell);
    return out.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

} // namespace

QStringList bodyLines(const pages::Document &document)
{
    QStringList lines;
    for (const pages::Page &page : document.pages) {
        int baseline = -1;
        for (const pages::PageItem &item : page.items) {
            if (item.kind != pages::ItemKind::Text || item.role != pages::ItemRole::Body || item.text.trimmed().isEmpty())
                continue;
            if (item.baseline == baseline && !lines.isEmpty())
                lines.last() += QLatin1Char(' ') + item.text.trimmed();
            else
                lines.append(item.text.trimmed());
            baseline = item.baseline;
        }
    }
    return lines;
}

bool anyTableRow(const pages::Document &document)
{
    for (const pages::TableContent &table : document.tables)
        if (table.rowCount() > 0)
            return true;
    return false;
}

namespace {

// Hands each line on as it is made; false from `line` stops.
bool csvLines(const pages::Document &document, const QString &incomplete, const std::function<bool(const QString &)> &line)
{
    bool first = true;
    for (const pages::TableContent &table : document.tables) {
        if (table.heading.isEmpty() && table.rowCount() == 0)
            continue;
        if (!first && !line(QStringLiteral("\r\n")))
            return false;
        first = false;
        if (!table.heading.isEmpty() && !line(csvLine(table.heading)))
            return false;
        for (qsizetype r = 0; r < table.rowCount(); ++r)
            if (!line(csvLine(table.row(r))))
                return false;
    }
    if (!anyTableRow(document)) {
        for (const QString &text : bodyLines(document))
            if ((incomplete.isEmpty() || !incomplete.contains(text)) && !line(csvLine({text})))
                return false;
    }
    return incomplete.isEmpty() || line(csvLine({incomplete}));
}

// The byte order mark lets spreadsheets tell UTF-8 from the local code page.
const QByteArray ByteOrderMark("\xEF\xBB\xBF");

} // namespace

QByteArray tablesAsCsv(const pages::Document &document, const QString &incomplete)
{
    QString text;
    csvLines(document, incomplete, [&](const QString &line) {
        text += line;
        return true;
    });
    return ByteOrderMark + text.toUtf8();
}

bool writeCsv(const pages::Document &document, const QString &fileName, const QString &incomplete,
              const Progress &progress)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    qint64 rowsInAll = 0;
    for (const pages::TableContent &table : document.tables)
        rowsInAll += table.rowCount();
    qint64 lines = 0;
    bool written = file.write(ByteOrderMark) == ByteOrderMark.size();
    const bool whole = written && csvLines(document, incomplete, [&](const QString &line) {
        if (file.write(line.toUtf8()) < 0)
            return written = false;
        return ++lines % 1000 != 0 || !progress || progress(std::min(lines, rowsInAll), rowsInAll);
    });
    if (!whole || !written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace reports
