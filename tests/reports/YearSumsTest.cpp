// The sums a book keeps per group number, code and year, and the movement
// summary that adds whole years from them: after bookings, changes, moves
// between years and groups, and deletions, every figure equals what the test
// adds up from the rows it wrote itself, for ranges of whole years, of parts
// of years and of a hand-edited day that lies between two years.
#include "PagesReading.h"
#include "ReportBook.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

using namespace pagesreading;

namespace {

// A movement as the test wrote it; the day as stored (ISO text), so that an
// odd day is kept as it is.
struct Row
{
    int code = 0;
    QString day;
    qint64 in = 0, out = 0, memo = 0; // cents
    bool grouped = true;
    int group = 0;
    QString description;
};

class YearSums : public ::testing::Test
{
protected:
    YearSums()
    {
        sales = book.folder.addGroup(QStringLiteral("ΠΩΛΗΣΕΙΣ"));
        costs = book.folder.addGroup(QStringLiteral("ΕΞΟΔΑ"));
        book.folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true, sales);
        book.folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false, costs);
    }

    db::Database &db() { return book.folder.main(); }

    void add(int code, const char *day, qint64 in, qint64 out, qint64 memo)
    {
        Row r{code, QString::fromLatin1(day), in, out, memo, true, code == 10 ? sales : costs,
              QStringLiteral("Κ%1").arg(rows.size())};
        db().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada,"
                                    " grammh, epitagh, L_tajeos) VALUES (?1, ?2, ?3, ?4, ?5, ?6, '', 0, ?7)"),
                     r.code, r.day, r.description, r.in * 100, r.out * 100, r.group, r.memo * 100);
        rows.append(r);
    }

    // Changes through SQL, as an edit, a move or an older program would
    // make them; the test's own rows follow.
    template <typename Value> void change(int i, const char *column, const Value &value)
    {
        db().execute(QStringLiteral("UPDATE kinhseis SET %1 = ?1 WHERE perigrafh = ?2").arg(QLatin1String(column)),
                     value, rows[i].description);
    }

    // What the summary must print for `code` over [from, to]: every row of
    // the code whose stored day lies in the range as text.
    Row expected(int code, const QString &from, const QString &to) const
    {
        Row sum;
        for (const Row &r : rows)
            if (r.code == code && r.day >= from && r.day <= to) {
                sum.in += r.in;
                sum.out += r.out;
                sum.memo += r.memo;
            }
        return sum;
    }

    void expectSummary(const QDate &from, const QDate &to)
    {
        SCOPED_TRACE(qPrintable(from.toString(Qt::ISODate) + QStringLiteral(" to ") + to.toString(Qt::ISODate)));
        book.answers.printChoice.analytic = false;
        ASSERT_TRUE(book.run(4, from, to).complete());
        std::map<int, QStringList> printed;
        for (const QStringList &row : pagesreading::rows(book.doc()))
            if (row.size() == 5 && !row[0].isEmpty())
                printed[row[1].section(u' ', 0, 0).toInt()] = row.mid(2);
        for (int code : {10, 20}) {
            const Row e = expected(code, from.toString(Qt::ISODate), to.toString(Qt::ISODate));
            QStringList wanted{ReportBook::zeroAsBlank(e.memo), ReportBook::zeroAsBlank(e.in),
                               ReportBook::zeroAsBlank(e.out)};
            if (e.in == 0 && e.out == 0 && e.memo == 0 && !printed.count(code))
                continue; // a code without movements in the range has no row
            EXPECT_EQ(printed[code], wanted) << "code " << code;
        }
    }

    ReportBook book;
    ScriptedMessages messages;
    QList<Row> rows;
    int sales = 0, costs = 0;
};

TEST_F(YearSums, SummaryOverYearsAddsUpEveryChangeOfTheRows)
{
    db().execute(QStringLiteral("BEGIN"));
    add(10, "2019-01-01", 100000, 0, 500);
    add(10, "2019-06-15", 25050, 0, 0);
    add(20, "2019-12-31", 0, 7525, 100);
    add(10, "2020-01-01", 99999999999, 0, 0);
    add(20, "2020-03-04", 0, 123456, -300); // a negative memo, as only a hand edit makes
    add(10, "2020-12-31", 4000, 0, 0);
    add(10, "2021-02-10", 3300, 0, 0);
    add(20, "2021-07-07", 0, 9000, 0);
    add(10, "2022-12-31", 11100, 0, 700);
    add(20, "2022-01-01", 0, 1, 0);
    db().execute(QStringLiteral("COMMIT"));

    // A day a hand edit left odd, between two years; a movement without a
    // group number.
    add(10, "2020-12-32", 77700, 0, 0);
    add(20, "2021-05-05", 0, 5500, 0);
    db().execute(QStringLiteral("UPDATE kinhseis SET aa_omada = NULL WHERE perigrafh = ?1"), rows.last().description);
    rows.last().grouped = false;

    // An amount changed; a movement moved to another year; one deleted; a
    // description changed (which no sum depends on); code 10 moved to the
    // other group with all its movements, as a change of the code's group does.
    change(1, "esoda", qint64(26050) * 100);
    rows[1].in = 26050;
    change(6, "hmeromhnia", QStringLiteral("2019-02-10"));
    rows[6].day = QStringLiteral("2019-02-10");
    db().execute(QStringLiteral("DELETE FROM kinhseis WHERE perigrafh = ?1"), rows[7].description);
    rows.removeAt(7);
    change(2, "perigrafh", QStringLiteral("ΑΛΛΗ"));
    rows[2].description = QStringLiteral("ΑΛΛΗ");
    db().execute(QStringLiteral("UPDATE kinhseis SET aa_omada = ?1 WHERE kvdikos = 10"), costs);

    expectSummary(QDate(2019, 1, 1), QDate(2022, 12, 31)); // whole years only
    expectSummary(QDate(2019, 3, 5), QDate(2022, 2, 10));  // parts of years at both ends
    expectSummary(QDate(2020, 1, 1), QDate(2020, 12, 31)); // one whole year
    expectSummary(QDate(2020, 2, 1), QDate(2020, 11, 30)); // inside one year
    expectSummary(QDate(2020, 12, 31), QDate(2021, 1, 1)); // the odd day between two years
    expectSummary(QDate(2018, 7, 1), QDate(2023, 6, 30));  // beyond the book

    // The year's own row, read back: count, sums and sums of magnitudes,
    // which tell a negative amount from none.
    db::Statement year = db().prepare(QStringLiteral(
        "SELECT plhuos, esoda, ejoda, L_tajeos, L_tajeos_apolyta FROM synola_etoys"
        " WHERE aa_omada = ?1 AND kvdikos = 20 AND etos = '2020'"));
    year.bindAll(costs);
    ASSERT_TRUE(year.next());
    EXPECT_EQ(year.integer(0), 1);
    EXPECT_EQ(year.money(1), Money());
    EXPECT_EQ(year.money(2), Money::fromCents(123456));
    EXPECT_EQ(year.money(3), Money::fromCents(-300));
    EXPECT_EQ(year.money(4), Money::fromCents(300));
    // Code 10's movements left group ΠΩΛΗΣΕΙΣ whole.
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM synola_etoys WHERE aa_omada = ?1 AND plhuos <> 0"), sales)
                  .toLongLong(),
              0);
}

// Amounts typed into the file by hand whose year sum goes beyond 64 bits: a
// server book refuses the second movement; on a file the report stops with
// the store's failure rather than print a rounded or wrapped sum.
TEST_F(YearSums, ASumBeyondSixtyFourBitsIsRefusedOrStopsTheReport)
{
    const qint64 nearTop = std::numeric_limits<qint64>::max() / 100 - 1; // in cents
    add(10, "2020-05-05", nearTop, 0, 0);
    if (book.folder.onServer()) {
        EXPECT_THROW(add(10, "2020-06-06", nearTop, 0, 0), db::DbError);
        return;
    }
    add(10, "2020-06-06", nearTop, 0, 0);
    book.answers.printChoice.analytic = false;
    EXPECT_EQ(book.run(4, QDate(2020, 1, 1), QDate(2020, 12, 31)).outcome, reports::ReportResult::Outcome::Failed);
}

} // namespace
