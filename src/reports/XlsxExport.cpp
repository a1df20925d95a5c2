#include "XlsxExport.h"

#include "CsvExport.h"
#include "platform/pages/document.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

namespace reports {

namespace {

// Amounts as the reports print them: "1.234.567,89", "-0,50", "12,00".
const QRegularExpression AmountText(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})*,\\d{2}$"));
const QRegularExpression WholeText(QStringLiteral("^-?\\d{1,15}$"));
const QRegularExpression DateText(QStringLiteral("^(\\d{2})-(\\d{2})-(\\d{4})$"));

// A sheet name may hold neither of []:*?/\ and at most 31 characters.
QByteArray sheetName(const QString &title)
{
    QString name = title.trimmed();
    for (const QChar bad : QStringLiteral("[]:*?/\\"))
        name.replace(bad, QLatin1Char(' '));
    name = name.simplified().left(31);
    return (name.isEmpty() ? QStringLiteral("Εκτύπωση") : name).toUtf8();
}

class Sheet
{
public:
    explicit Sheet(const QString &path, const QString &title)
    {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;  // rows go to disk as they are written
        m_path = QFile::encodeName(path);
        m_book = workbook_new_opt(m_path.constData(), &options);
        if (!m_book)
            return;
        m_sheet = workbook_add_worksheet(m_book, sheetName(title).constData());
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_title = workbook_add_format(m_book);
        format_set_bold(m_title);
        format_set_font_size(m_title, 13);
        m_money = workbook_add_format(m_book);
        format_set_num_format(m_money, "#,##0.00");
        m_boldMoney = workbook_add_format(m_book);
        format_set_num_format(m_boldMoney, "#,##0.00");
        format_set_bold(m_boldMoney);
        m_date = workbook_add_format(m_book);
        format_set_num_format(m_date, "dd-mm-yyyy");
        m_warning = workbook_add_format(m_book);
        format_set_bold(m_warning);
        format_set_font_color(m_warning, LXW_COLOR_RED);
    }
    ~Sheet()
    {
        if (m_book)
            workbook_close(m_book);  // frees the workbook; the caller discards the file
    }
    bool ok() const { return m_book && m_sheet; }

    // Column widths must be set before the first row in constant-memory mode.
    void setWidths(const std::vector<int> &characters)
    {
        for (size_t c = 0; c < characters.size(); ++c)
            worksheet_set_column(m_sheet, lxw_col_t(c), lxw_col_t(c), std::clamp(characters[c] + 2, 8, 60), nullptr);
    }

    void text(const QString &value, lxw_format *format = nullptr)
    {
        write(0, value, format);
        ++m_row;
    }

    void row(const QStringList &cells, bool heading)
    {
        for (qsizetype c = 0; c < cells.size(); ++c)
            write(lxw_col_t(c), cells[c], heading ? m_bold : nullptr, heading);
        ++m_row;
    }

    void skip() { ++m_row; }
    lxw_format *titleFormat() const { return m_title; }
    lxw_format *warningFormat() const { return m_warning; }

    bool close()
    {
        const lxw_error error = workbook_close(m_book);
        m_book = nullptr;
        return error == LXW_NO_ERROR;
    }

private:
    void write(lxw_col_t column, const QString &cell, lxw_format *format, bool asText = false)
    {
        const SheetValue value = asText ? SheetValue{SheetValue::Text, 0, cell.trimmed()} : sheetValue(cell);
        switch (value.kind) {
        case SheetValue::Empty:
            break;
        case SheetValue::Amount:
            worksheet_write_number(m_sheet, m_row, column, value.number, format ? m_boldMoney : m_money);
            break;
        case SheetValue::Whole:
            worksheet_write_number(m_sheet, m_row, column, value.number, format);
            break;
        case SheetValue::Date: {
            const int ymd = int(value.number);
            lxw_datetime when{ymd / 10000, (ymd / 100) % 100, ymd % 100, 0, 0, 0};
            worksheet_write_datetime(m_sheet, m_row, column, &when, m_date);
            break;
        }
        case SheetValue::Text:
            worksheet_write_string(m_sheet, m_row, column, value.text.toUtf8().constData(), format);
            break;
        }
    }

    QByteArray m_path;
    lxw_workbook *m_book = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    lxw_format *m_bold = nullptr;
    lxw_format *m_title = nullptr;
    lxw_format *m_money = nullptr;
    lxw_format *m_boldMoney = nullptr;
    lxw_format *m_date = nullptr;
    lxw_format *m_warning = nullptr;
    lxw_row_t m_row = 0;
};

// The widest text of each column, in characters, from the heading and a
// sample of the rows (enough to size a column, cheap on any report).
std::vector<int> columnWidths(const pages::Document &document)
{
    std::vector<int> widths;
    auto take = [&](const QStringList &cells) {
        if (widths.size() < size_t(cells.size()))
            widths.resize(size_t(cells.size()), 0);
        for (qsizetype c = 0; c < cells.size(); ++c)
            widths[size_t(c)] = std::max(widths[size_t(c)], int(cells[c].trimmed().size()));
    };
    for (const pages::TableContent &table : document.tables) {
        take(table.heading);
        const qsizetype step = std::max<qsizetype>(1, table.rowCount() / 2000);
        for (qsizetype r = 0; r < table.rowCount(); r += step)
            take(table.row(r));
        if (table.rowCount() > 0)
            take(table.row(table.rowCount() - 1));  // the totals
    }
    return widths;
}

} // namespace

SheetValue sheetValue(const QString &cell)
{
    const QString text = cell.trimmed();
    if (text.isEmpty())
        return {SheetValue::Empty, 0, {}};
    if (AmountText.match(text).hasMatch()) {
        QString digits = text;
        digits.remove(QLatin1Char('.')).remove(QLatin1Char(','));
        // Whole cents, then one division: the nearest double to the amount.
        return {SheetValue::Amount, double(digits.toLongLong()) / 100.0, text};
    }
    if (WholeText.match(text).hasMatch())
        return {SheetValue::Whole, double(text.toLongLong()), text};
    if (const auto m = DateText.match(text); m.hasMatch()) {
        const QDate day(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
        if (day.isValid())
            return {SheetValue::Date, double(day.year() * 10000 + day.month() * 100 + day.day()), text};
    }
    return {SheetValue::Text, 0, text};
}

bool writeXlsx(const pages::Document &document, const SheetTitle &title, const QString &fileName,
               const Progress &progress)
{
    // Written beside the target under a passing name, then renamed.
    const QFileInfo target(fileName);
    QTemporaryFile aside(target.absoluteDir().filePath(QStringLiteral(".kelvora-XXXXXX.xlsx")));
    if (!aside.open())
        return false;
    aside.close();

    qint64 rowsInAll = 0;
    for (const pages::TableContent &table : document.tables)
        rowsInAll += table.rowCount();
    {
        Sheet sheet(aside.fileName(), title.title);
        if (!sheet.ok())
            return false;
        sheet.setWidths(columnWidths(document));
        sheet.text(title.title.trimmed(), sheet.titleFormat());
        sheet.text(title.period);
        qint64 done = 0;
        for (const pages::TableContent &table : document.tables) {
            if (table.heading.isEmpty() && table.rowCount() == 0)
                continue;
            sheet.skip();
            if (!table.heading.isEmpty())
                sheet.row(table.heading, true);
            for (qsizetype r = 0; r < table.rowCount(); ++r) {
                sheet.row(table.row(r), false);
                if (++done % 1000 == 0 && progress && !progress(done, rowsInAll))
                    return false;  // the sheet is freed, the passing file removed
            }
        }
        if (!anyTableRow(document)) {
            sheet.skip();
            for (const QString &line : bodyLines(document))
                if (title.incomplete.isEmpty() || !title.incomplete.contains(line))
                    sheet.text(line);
        }
        if (!title.incomplete.isEmpty()) {
            sheet.skip();
            sheet.text(title.incomplete, sheet.warningFormat());
        }
        if (!sheet.close())
            return false;
    }
    if (QFile::exists(fileName) && !QFile::remove(fileName))
        return false;
    if (!QFile::rename(aside.fileName(), fileName))
        return false;
    aside.setAutoRemove(false);
    return true;
}

} // namespace reports
