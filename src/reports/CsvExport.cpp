#include "CsvExport.h"

#include "platform/pages/document.h"

#include <QSaveFile>

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

QByteArray tablesAsCsv(const pages::Document &document)
{
    QString text;
    for (int table = 1; table <= document.tableCount(); ++table) {
        if (table > 1)
            text += QStringLiteral("\r\n");
        text += csvLine(document.tableHeading(table));
        for (const QStringList &row : document.tableRows(table))
            text += csvLine(row);
    }
    // The byte order mark lets spreadsheets tell UTF-8 from the local code page.
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeCsv(const pages::Document &document, const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(tablesAsCsv(document));
    return file.commit();
}

} // namespace reports
