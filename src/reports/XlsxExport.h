#pragma once

#include "ReportInput.h"

#include <QString>

namespace pages { struct Document; }

// The tables of a report as a spreadsheet file (.xlsx) an accountant can add
// up at once: the report's title and period in the first rows, then each
// table with its heading, amounts as numbers in a money format, dates as
// dates, whole numbers as numbers and every other cell as text, each as the
// report built it. Written by libxlsxwriter row by row, so a report of any
// size costs little memory.
namespace reports {

struct SheetTitle
{
    QString title;       // the report's title
    QString period;      // "01-03-2026 έως 31-03-2026", or the day
    QString incomplete;  // the line that ends an incomplete report; empty when whole
};

// Writes the file; false when it cannot be written or `progress` asked to
// stop (rows done, rows in all). The file takes its name only when whole: a
// stopped or failed write leaves an older file of that name as it was.
bool writeXlsx(const pages::Document &document, const SheetTitle &title, const QString &fileName,
               const Progress &progress = {});

// How a cell's text is read into the sheet.
struct SheetValue
{
    enum Kind { Text, Amount, Whole, Date, Empty } kind = Text;
    double number = 0;  // Amount and Whole; Date: the day as yyyymmdd
    QString text;
};
SheetValue sheetValue(const QString &cell);

} // namespace reports
