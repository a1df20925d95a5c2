#pragma once

#include <QByteArray>
#include <QString>

namespace pages { struct Document; }

// The tables of a report as a spreadsheet reads them: UTF-8 text, cells
// separated by ";" and amounts as printed with the decimal comma, which is what
// a Greek spreadsheet expects. Each table gives its heading line and then its
// rows; a blank line separates tables.
namespace reports {

QByteArray tablesAsCsv(const pages::Document &document);

// Writes tablesAsCsv() to the file; false when the file cannot be written.
bool writeCsv(const pages::Document &document, const QString &fileName);

} // namespace reports
