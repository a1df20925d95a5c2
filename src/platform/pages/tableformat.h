#pragma once

// The table format convention: columns separated by "|", each an optional
// alignment mark ("<" left, "^" centred, ">" right) and a width in twips.
// With two marks (">^1800") the first aligns the body cells and the second
// the heading; with one mark both follow it.

#include "platform/pages/document.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace pages {

struct ColumnFormat {
    int width = 0;  // twips; 0 when the format gave none
    Align body = Align::Left;
    Align header = Align::Left;

    friend bool operator==(const ColumnFormat &, const ColumnFormat &) = default;
};

std::vector<ColumnFormat> parseTableFormat(const QString &format, QChar columnSeparator = QLatin1Char('|'));

// Splits a row into cells; a row with fewer cells is padded with empty ones.
QStringList splitCells(const QString &row, QChar columnSeparator, int columns);

// Splits a body into rows at the row separator; CR LF and LF also end a row.
QStringList splitRows(const QString &body, QChar rowSeparator);

// True when a row holds nothing but separators and blanks.
bool isBlankRow(const QString &row, QChar columnSeparator);

}  // namespace pages
