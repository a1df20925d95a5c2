#include "DayReports.h"

#include "PageFrame.h"
#include "TableWriter.h"
#include "cashbook/CashBook.h"
#include "data/Store.h"
#include "platform/db/Statement.h"
#include "platform/pages/engine.h"

#include <optional>

namespace reports {
namespace {

constexpr pages::ColorRef Yellow = pages::rgb(255, 255, 0);
constexpr pages::ColorRef AnalysisHeaderShade = pages::rgb(200, 210, 190);
const QString CR = QStringLiteral("\r");
// In place of a figure that a code missing from the book would make wrong.
const QString MissingCode = QStringLiteral("λείπει κωδικός");

struct DayRow
{
    Money income;
    Money expense;
    Money balance;
};

// The day's tameio row, if the day has one.
std::optional<DayRow> dayRow(db::Database &db, const QDate &day)
{
    db::Statement row = db.prepare(QStringLiteral(
        "SELECT esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio WHERE hmeromhnia = ?1"));
    row.bind(1, day);
    if (!row.next())
        return std::nullopt;
    return DayRow{row.money(0), row.money(1), row.money(2)};
}

// Income and expense of one code over every day up to and including `day`.
// The date term is kept off the date index ("+"): up to a late day it would
// walk the whole book, while the code index reads only that code's rows.
std::pair<Money, Money> codeSums(db::Database &db, int code, const QDate &day)
{
    db::Statement sums = db.prepare(QStringLiteral(
        "SELECT IFNULL(SUM(esoda), 0), IFNULL(SUM(ejoda), 0) FROM kinhseis WHERE kvdikos = ?1 AND +hmeromhnia <= ?2"));
    sums.bind(1, code).bind(2, day);
    sums.next();
    return {sums.money(0), sums.money(1)};
}

bool codeExists(db::Database &db, int code)
{
    return db.scalar(QStringLiteral("SELECT count(*) FROM kvdikoi WHERE kvdikos = ?1"), code).toLongLong() > 0;
}

} // namespace

void daySheet(pages::Engine &engine, Store &store, const ReportInput &input)
{
    applyPageFrame(engine);
    engine.StartDoc();
    engine.setHeader(QStringLiteral("Τ α μ ε ί ο  Η μ έ ρ α ς   ") + input.toText + QStringLiteral("  ") +
                     input.headerCaption);
    const QDate day = input.to;

    // The cash sheet's own reading: the balance carried from the last earlier
    // day (with or without a row of this day), the opening balance on its day.
    const cashbook::DayView view = cashbook::CashBook(store).readDay(day);
    engine.setText(CR);
    if (!view.carried.isZero())
        engine.setText(QStringLiteral("Υπόλοιπο από την ") + date(view.previousDay) + QStringLiteral("    ") +
                       money(view.carried) + CR);
    else
        engine.setText(QStringLiteral("Υπόλοιπο από την προηγούμενη 0") + CR);
    engine.setText(CR);

    if (!view.hasMovements()) {
        // A day without movements: three bold lines, the balance as a plain number.
        engine.setFontBold(true);
        engine.setText(QStringLiteral("Σύνολο εσόδων 0") + CR + QStringLiteral("Συνολο εξόδων 0") + CR +
                       QStringLiteral("Υπόλοιπο ") + plainNumber(view.balance()));
        engine.setFontBold(false);
        engine.EndDoc();
        return;
    }

    engine.setFontName(QStringLiteral("arial greek"));
    engine.setFontSize(10);
    engine.setFontBold(false);
    TableWriter table(engine);
    table.open(QStringLiteral("^1100|^1000|<4000|>1500|>1500"),
               alignRight(QStringLiteral("α/α"), 5) + QStringLiteral("|Κωδ.|Περιγραφή|Εσοδα|Εξοδα"),
               QStringLiteral(" |  | | |"), Yellow);
    table.setShades(RowShade, 0, Yellow);
    int counter = 0;
    for (const cashbook::Movement &m : view.movements)
        table.appendShaded({alignRight(QString::number(++counter), 4), QString::number(m.kvdikos), m.perigrafh,
                            moneyOrZero(m.esoda), moneyOrZero(m.ejoda)});

    engine.setFontBold(true);
    engine.setFontSize(10);
    table.append({QString(), QString(), QStringLiteral("Υπόλοιπο = ") + moneyOrZero(view.balance()),
                  moneyOrZero(view.income), moneyOrZero(view.expense)});
    engine.setFontBold(false);
    engine.EndDoc();
}

bool hasCashDay(Store &store, const QDate &day) { return dayRow(store.main(), day).has_value(); }

void dayAnalysis(pages::Engine &engine, Store &store, const ReportInput &input)
{
    db::Database &db = store.main();
    const QString dayText = input.fromText;
    const std::optional<DayRow> today = dayRow(db, input.from);
    if (!today) {
        applyPageFrame(engine);
        engine.StartDoc();
        engine.setParagraph(QStringLiteral("Δεν υπάρχει ταμείο για την ημερομηνία ") + dayText + QStringLiteral("   ") +
                            input.headerCaption);
        engine.EndDoc();
        return;
    }

    // Each group's balance runs over every movement of its codes up to the day;
    // an empty slot adds nothing.
    const analysis::AnalysisSetup &setup = input.answers.analysisSetup;
    Money groupIncome[analysis::GroupCount];
    Money groupExpense[analysis::GroupCount];
    // A set-up made for another book may name codes this book does not have:
    // their groups must not pass for groups with nothing in them.
    QStringList missingCodes;
    bool groupIncomplete[analysis::GroupCount] = {};
    for (int slot = 0; slot < analysis::SlotCount; ++slot) {
        if (const std::optional<int> code = setup.slotCode(slot)) {
            if (!codeExists(db, *code)) {
                missingCodes << QString::number(*code);
                groupIncomplete[slot / 2] = true;
                continue;
            }
            const auto [in, out] = codeSums(db, *code, input.from);
            groupIncome[slot / 2] += in;
            groupExpense[slot / 2] += out;
        }
    }

    applyPageFrame(engine);
    engine.StartDoc();
    engine.setFontSize(10);
    engine.setHeader(QStringLiteral("|Ανάλυση ταμείου της ") + dayText + QStringLiteral("   ") + input.headerCaption);
    engine.setText(CR);

    TableWriter table(engine);
    table.open(QStringLiteral("3500|>1900|>1900|>1900"),
               QStringLiteral("Περιγραφή|Εσοδα    |Εξοδα    |Υπόλοιπο    "),
               QStringList{QStringLiteral("Συνολικό ταμείο"), money(today->income), money(today->expense),
                           money(today->balance)}
                   .join(QLatin1Char('|')),
               AnalysisHeaderShade);
    Money allIncome;
    Money allExpense;
    for (int g = 0; g < analysis::GroupCount; ++g) {
        table.append({setup.captions[size_t(g)], QString(), QString(),
                      groupIncomplete[g] ? MissingCode : money(groupIncome[g] - groupExpense[g])},
                     RowShade);
        allIncome += groupIncome[g];
        allExpense += groupExpense[g];
    }
    const Money cashInTill = today->balance - (allIncome - allExpense);
    engine.setFontBold(true);
    table.append({QStringLiteral("Μετρητά στο ταμείο"), QString(), QString(),
                  missingCodes.isEmpty() ? money(cashInTill) : MissingCode},
                 RowShade);
    engine.setFontBold(false);
    if (!missingCodes.isEmpty()) {
        engine.setText(CR);
        engine.setParagraph(QStringLiteral("Οι κωδικοί ") + missingCodes.join(QStringLiteral(", ")) +
                            QStringLiteral(" της ρύθμισης της ανάλυσης δεν υπάρχουν στα αρχεία που χρησιμοποιούνται· "
                                           "διορθώστε τη ρύθμιση."));
    }
    engine.EndDoc();
}

} // namespace reports
