// Timings of the cash book on the generated ten-year book, each beside the
// bare SQL statements the operation needs, run with the sqlite3 API on the
// same file. Usage: kelvora-bench-cashbook [FOLDER]  (a book is generated
// into a temporary folder when none is given).
#include "bench/support/Timing.h"
#include "bench/support/BookGenerator.h"
#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "cashbook/DisplayLines.h"
#include "cashbook/widgets/CashSheetPage.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/Store.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/GreekFormats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <variant>
#include <sqlcipher/sqlite3.h>
#include <vector>

using benchsupport::median;
using benchsupport::millis;

namespace {

// The same file through the sqlite3 API alone: statements prepared, stepped
// and finalised as a hand-written program would.
class Bare
{
public:
    explicit Bare(const QString &path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        const QByteArray key = globals().DbPassword.toUtf8();
        sqlite3_key(m_db, key.constData(), int(key.size()));
        exec("PRAGMA journal_mode = DELETE");
        exec("PRAGMA synchronous = FULL");
    }
    ~Bare() { sqlite3_close_v2(m_db); }

    void exec(const char *sql) { sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

    // Runs one statement with text/integer arguments, reading every column of every row.
    qint64 run(const char *sql, std::initializer_list<std::variant<const char *, qint64>> args)
    {
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr);
        int i = 0;
        for (const auto &a : args) {
            ++i;
            if (std::holds_alternative<qint64>(a))
                sqlite3_bind_int64(st, i, std::get<qint64>(a));
            else
                sqlite3_bind_text(st, i, std::get<const char *>(a), -1, SQLITE_STATIC);
        }
        qint64 sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                sum += sqlite3_column_type(st, c) == SQLITE_TEXT ? sqlite3_column_bytes(st, c)
                                                                  : sqlite3_column_int64(st, c);
        sqlite3_finalize(st);
        return sum;
    }

    qint64 lastId() const { return sqlite3_last_insert_rowid(m_db); }

    void readDay(const char *day)
    {
        run("SELECT hmeromhnia, ypoloipo FROM tameio WHERE hmeromhnia < ?1 ORDER BY hmeromhnia DESC LIMIT 1", {day});
        run("SELECT aa, kvdikos, perigrafh, esoda, ejoda, aa_omada, epitagh, L_tajeos "
            "FROM kinhseis WHERE hmeromhnia = ?1 ORDER BY aa",
            {day});
    }

    void showDay(const char *day)
    {
        readDay(day);
        run("SELECT esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio WHERE hmeromhnia = ?1", {day});
    }

    void writeDay(const char *day, qint64 change)
    {
        run("SELECT esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio WHERE hmeromhnia = ?1", {day});
        run("UPDATE tameio SET esoda_hmeras = esoda_hmeras + ?2, ypoloipo = ypoloipo + ?2 WHERE hmeromhnia = ?1",
            {day, change});
        run("UPDATE tameio SET ypoloipo = ypoloipo + ?1 WHERE hmeromhnia > ?2", {change, day});
    }

    qint64 insert(const char *day, qint64 amount)
    {
        exec("BEGIN IMMEDIATE");
        run("SELECT kvdikos, perigrafh, aa_omadas, lista, esodo FROM kvdikoi WHERE energos <> 0 AND kvdikos = ?1 LIMIT 1",
            {qint64(100)});
        run("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos) "
            "VALUES (100, ?1, 'ΔΟΚΙΜΗ', ?2, 0, 1, '  100 ΔΟΚΙΜΗ', 0, 0)",
            {day, amount});
        const qint64 aa = lastId();
        readDay(day);
        writeDay(day, amount);
        exec("COMMIT");
        return aa;
    }

    void change(const char *day, qint64 aa, qint64 oldAmount, qint64 newAmount)
    {
        run("SELECT aa, kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos "
            "FROM kinhseis WHERE aa = ?1",
            {aa});
        exec("BEGIN IMMEDIATE");
        run("UPDATE kinhseis SET esoda = ?2, grammh = '  100 ΔΟΚΙΜΗ 2' WHERE aa = ?1", {aa, newAmount});
        readDay(day);
        writeDay(day, newAmount - oldAmount);
        exec("COMMIT");
    }

    void remove(const char *day, qint64 aa, qint64 amount)
    {
        run("SELECT aa, kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos "
            "FROM kinhseis WHERE aa = ?1",
            {aa});
        exec("BEGIN IMMEDIATE");
        run("DELETE FROM kinhseis WHERE aa = ?1", {aa});
        readDay(day);
        writeDay(day, -amount);
        exec("COMMIT");
    }

private:
    sqlite3 *m_db = nullptr;
};

// The timed work must have been done: anything else ends the run with the reason.
[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "FAILED: %s\n", qPrintable(why));
    std::exit(1);
}

void report(const char *what, double ours, double bare, double target)
{
    std::printf("%-44s %8.3f ms   bare SQL %8.3f ms   ratio %5.2f   (target < %.0f ms)\n", what, ours, bare,
                ours / bare, target);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temp;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temp.path();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days, %d later day rows after the first day\n", b.movements,
                    b.days, b.days - 1);
    }
    // Only the confirmations of change and delete may be asked; any other box
    // is a refusal or a failure, and the figures would time it instead.
    msg::install([](const msg::Box &box) {
        if (box.icon != msg::Icon::Question)
            fail(QStringLiteral("unexpected box: ") + box.text);
        return msg::Answer::Ok;
    });
    globals().RightChangeRecords = true;

    Store store(folder, globals().DbPassword);
    cashbook::CashBook book(store);
    cashbook::CashOperations ops(book);
    Bare bare(datafolder::mainDatabase(folder));

    const QString firstDay = store.main().scalar(QStringLiteral("SELECT min(hmeromhnia) FROM tameio")).toString();
    const QString middleDay = store.main()
                                  .scalar(QStringLiteral("SELECT hmeromhnia FROM tameio ORDER BY hmeromhnia "
                                                         "LIMIT 1 OFFSET (SELECT count(*) / 2 FROM tameio)"))
                                  .toString();
    const QDate middle = QDate::fromString(middleDay, Qt::ISODate);
    const QDate first = QDate::fromString(firstDay, Qt::ISODate);
    const QByteArray middleText = middleDay.toLatin1(), firstText = firstDay.toLatin1();
    book.readDayAndSaveRow(middle); // the day row is current from here on

    constexpr int ShowRuns = 300;
    std::vector<double> show, showStore, showPage, showBare;
    int lines = 0;
    for (int i = 0; i < ShowRuns; ++i) {
        show.push_back(millis([&] {
            const cashbook::DayView v = book.readDayAndSaveRow(middle);
            lines = int(cashbook::lines::dayLines(v).size());
        }));
        showStore.push_back(millis([&] { book.readDayAndSaveRow(middle); }));
        showBare.push_back(millis([&] { bare.showDay(middleText.constData()); }));
    }

    // The whole page: list widget, status panels and entry reset included.
    MainWindowState state;
    state.store = &store;
    PageContext context{&state, [](int, const QString &) {}, [](int, bool) {}};
    QWidget host;
    auto page = cashbook::makeCashSheetPage(context, &host);
    auto *date = host.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
    date->setText(regional::formatDate(middle));
    for (int i = 0; i < ShowRuns / 3; ++i)
        showPage.push_back(millis([&] { page->ShowInitialDay(); }));

    constexpr int WriteRuns = 25;
    std::vector<double> insert, change, remove, insertBare, changeBare, removeBare;
    cashbook::MovementEntry e;
    e.dateText = regional::formatDate(first);
    e.code = 100;
    e.description = QStringLiteral("ΔΟΚΙΜΗ");
    e.incomeText = QStringLiteral("12,34");
    e.expenseText = QStringLiteral("0");
    e.memoText = QStringLiteral("0");
    cashbook::MovementEntry changed = e;
    changed.incomeText = QStringLiteral("23,45");
    db::Database &main = store.main();
    const auto movements = [&](qint64 aa, qint64 cents) {
        return main.scalar(QStringLiteral("SELECT count(*) FROM kinhseis WHERE aa = ?1 AND esoda = ?2"), aa,
                           Money::fromCents(cents)).toLongLong();
    };
    const auto lastBalance = [&] {
        return Money::fromUnits(
            main.scalar(QStringLiteral("SELECT ypoloipo FROM tameio ORDER BY hmeromhnia DESC LIMIT 1")).toLongLong());
    };
    const Money lastBefore = lastBalance();
    for (int i = 0; i < WriteRuns; ++i) {
        qint64 aa = 0;
        insert.push_back(millis([&] { aa = ops.InsertMovement(e).value_or(0); }));
        if (aa == 0 || movements(aa, 1234) != 1 || lastBalance() != lastBefore + Money::fromCents(1234))
            fail(QStringLiteral("the insert was not written, or the later balances did not move"));
        change.push_back(millis([&] {
            if (!ops.ChangeMovement(aa, changed))
                fail(QStringLiteral("the change was refused"));
        }));
        if (movements(aa, 2345) != 1 || lastBalance() != lastBefore + Money::fromCents(2345))
            fail(QStringLiteral("the change was not written"));
        remove.push_back(millis([&] {
            if (!ops.DeleteMovement(aa))
                fail(QStringLiteral("the delete was refused"));
        }));
        if (movements(aa, 2345) != 0 || lastBalance() != lastBefore)
            fail(QStringLiteral("the delete did not remove the movement"));

        qint64 bareAa = 0;
        insertBare.push_back(millis([&] { bareAa = bare.insert(firstText.constData(), 123400); }));
        changeBare.push_back(millis([&] { bare.change(firstText.constData(), bareAa, 123400, 234500); }));
        if (movements(bareAa, 2345) != 1)
            fail(QStringLiteral("the bare insert and change were not written"));
        removeBare.push_back(millis([&] { bare.remove(firstText.constData(), bareAa, 234500); }));
        if (movements(bareAa, 2345) != 0 || lastBalance() != lastBefore)
            fail(QStringLiteral("the bare delete did not remove the movement"));
    }

    std::printf("medians (%d shows, %d inserts and deletes; %d lines on the shown day)\n", ShowRuns, WriteRuns, lines);
    report("ShowDay(0): store part (read, day row)", median(showStore), median(showBare), 5);
    report("ShowDay(0) with the list lines and totals", median(show), median(showBare), 5);
    report("ShowDay(0) on the page (list widget)", median(showPage), median(showBare), 5);
    report("insert on the first day, committed", median(insert), median(insertBare), 30);
    report("change its amount, committed", median(change), median(changeBare), 30);
    report("delete it again, committed", median(remove), median(removeBare), 30);
    return 0;
}
