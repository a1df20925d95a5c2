#pragma once

#include "ReportInput.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace pages { struct Document; }

// The tables of a report as a spreadsheet reads them: UTF-8 text, cells
// separated by ";" and amounts as built with the decimal comma, which is what
// a Greek spreadsheet expects. Each table gives its heading line and then its
// rows, every cell as the report built it (never the lines the page broke it
// into); a blank line separates tables.
namespace reports {

// `incomplete`: the line that says the report did not finish, written last;
// empty for a whole report. A report without a single table row (its one
// line "no records", or a day without movements) gives its text lines.
QByteArray tablesAsCsv(const pages::Document &document, const QString &incomplete = {});

// Writes tablesAsCsv() to the file, saying how far it is through `progress`
// (rows done, rows in all); false when the file cannot be written or the
// progress asked to stop. The file takes its name only when whole.
bool writeCsv(const pages::Document &document, const QString &fileName, const QString &incomplete = {},
              const Progress &progress = {});

// The report's own lines outside its tables, in page order; texts laid out
// side by side on one line are joined by a blank. Page header and footer are
// not among them.
QStringList bodyLines(const pages::Document &document);

// True when some table of the document has a row.
bool anyTableRow(const pages::Document &document);

} // namespace reports
