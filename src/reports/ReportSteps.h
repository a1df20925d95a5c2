#pragma once

#include "ReportInput.h"

namespace reports {

// A long report tells how far it is every few rows (often enough for the
// window to stay responsive, seldom enough to cost nothing); a stop asked
// there ends the report, which the runner marks incomplete.
inline void countRow(const ReportInput &input, qint64 done, qint64 total = 0)
{
    constexpr qint64 RowsPerStep = 64;
    if (done % RowsPerStep == 0 && !input.reportProgress(done, total))
        throw ReportStopped{};
}

// The report title: its own words, three blanks and the header caption.
inline QString withCaption(const ReportInput &input, const QString &words)
{
    return words + QStringLiteral("   ") + input.headerCaption;
}

} // namespace reports
