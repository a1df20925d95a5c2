#include "DemoBook.h"

#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AdministratorCode.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/Schema.h"
#include "data/SchemaUpgrade.h"
#include "data/Store.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/GreekFormats.h"
#include "platform/regional/TextPad.h"
#include "tools/NewInstallation.h"

#include <QFile>
#include <random>
#include <stdexcept>

namespace demobook {
namespace {

struct DemoCode
{
    int code;
    const char16_t *description;
    int group;      // index into the group names
    bool income;
    qint64 fromCents, toCents;
};

const char16_t *const GroupNames[] = {u"ΕΣΟΔΑ ΤΑΜΕΙΟΥ", u"ΛΕΙΤΟΥΡΓΙΚΑ ΕΞΟΔΑ", u"ΠΡΟΜΗΘΕΥΤΕΣ", u"ΤΡΑΠΕΖΕΣ"};

constexpr int OpeningCode = 100;

const DemoCode Codes[] = {
    {1, u"ΕΙΣΠΡΑΞΕΙΣ ΛΙΑΝΙΚΗΣ", 0, true, 15000, 180000},
    {2, u"ΕΙΣΠΡΑΞΕΙΣ ΧΟΝΔΡΙΚΗΣ", 0, true, 50000, 400000},
    {3, u"ΑΝΑΛΗΨΗ ΑΠΟ ΤΡΑΠΕΖΑ", 3, true, 50000, 200000},
    {10, u"ΕΝΟΙΚΙΟ ΚΑΤΑΣΤΗΜΑΤΟΣ", 1, false, 85000, 85000},
    {11, u"ΔΕΗ - ΡΕΥΜΑ", 1, false, 9000, 32000},
    {12, u"ΟΤΕ - ΤΗΛΕΦΩΝΟ", 1, false, 4000, 9000},
    {13, u"ΓΡΑΦΙΚΗ ΥΛΗ", 1, false, 500, 6000},
    {14, u"ΜΙΣΘΟΔΟΣΙΑ", 1, false, 60000, 120000},
    {20, u"ΠΛΗΡΩΜΗ ΠΡΟΜΗΘΕΥΤΗ", 2, false, 20000, 150000},
    {21, u"ΑΓΟΡΑ ΕΜΠΟΡΕΥΜΑΤΩΝ", 2, false, 5000, 60000},
    {30, u"ΚΑΤΑΘΕΣΗ ΣΕ ΤΡΑΠΕΖΑ", 3, false, 200000, 500000},
    {OpeningCode, u"ΥΠΟΛΟΙΠΟ ΕΝΑΡΞΗΣ", 0, true, 0, 0},
};

const char16_t *const Customers[] = {u"ΠΑΠΑΔΟΠΟΥΛΟΣ Α.Ε.", u"ΓΕΩΡΓΙΟΥ ΚΩΝ.", u"ΟΙΚΟΝΟΜΟΥ Ο.Ε.", u"ΝΙΚΟΛΑΟΥ ΜΑΡΙΑ",
                                     u"ΑΦΟΙ ΔΗΜΗΤΡΙΟΥ", u"ΚΑΦΕ ΠΛΑΤΕΙΑ", u"ΜΑΡΚΕΤ ΤΟ ΣΤΕΚΙ"};

void addGroupsAndCodes(db::Database &main)
{
    db::Transaction t(main);
    QList<qint64> groupNumbers;
    for (const char16_t *name : GroupNames) {
        main.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), QString::fromUtf16(name));
        groupNumbers << main.lastInsertId();
    }
    for (const DemoCode &c : Codes) {
        const QString description = QString::fromUtf16(c.description);
        main.execute(QStringLiteral("INSERT INTO kvdikoi (kvdikos, perigrafh, omada, aa_omadas, lista, esodo, energos) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
                     c.code, description, QString::fromUtf16(GroupNames[c.group]), groupNumbers[c.group],
                     regional::PadLeft(QString::number(c.code), 5) + QLatin1Char(' ') + description, c.income, true);
    }
    t.commit();
}

// Confirms every question; any other box means an operation was refused,
// which a demo book must never need.
msg::Answer demoAnswer(const msg::Box &box)
{
    if (box.icon == msg::Icon::Question)
        return msg::Answer::Ok;
    throw std::runtime_error((box.title + QStringLiteral(": ") + box.text).toStdString());
}

class Booker
{
public:
    Booker(Store &store, std::mt19937 &rng) : m_book(store), m_ops(m_book), m_rng(rng) {}

    qint64 book(const QDate &day, const DemoCode &code, const QString &description, Money amount, bool cheque,
                Money memo)
    {
        cashbook::MovementEntry e;
        e.dateText = regional::formatDate(day);
        e.code = code.code;
        e.description = description;
        const QString text = amount.isZero() ? QStringLiteral("0") : regional::formatMoney(amount);
        e.incomeText = code.income ? text : QStringLiteral("0");
        e.expenseText = code.income ? QStringLiteral("0") : text;
        e.memoText = memo.isZero() ? QStringLiteral("0") : regional::formatMoney(memo);
        e.cheque = cheque;
        const std::optional<qint64> aa = m_ops.InsertMovement(e);
        if (!aa)
            throw std::runtime_error("a demo movement was refused");
        ++m_count;
        return *aa;
    }

    Money amountFor(const DemoCode &c)
    {
        const qint64 cents = std::uniform_int_distribution<qint64>(c.fromCents, c.toCents)(m_rng);
        return Money::fromCents(c.fromCents == c.toCents ? cents : cents / 10 * 10);
    }

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    cashbook::CashOperations &ops() { return m_ops; }
    int count() const { return m_count; }

private:
    cashbook::CashBook m_book;
    cashbook::CashOperations m_ops;
    std::mt19937 &m_rng;
    int m_count = 0;
};

const DemoCode &codeNumber(int code)
{
    for (const DemoCode &c : Codes)
        if (c.code == code)
            return c;
    throw std::logic_error("unknown demo code");
}

// One working day: takings every day, purchases most days, the monthly bills
// in the first days of the month, now and then a bank deposit.
void bookDay(Booker &b, const QDate &day)
{
    const int takings = b.pick(1, 3);
    for (int i = 0; i < takings; ++i) {
        const bool wholesale = b.pick(0, 4) == 0;
        const DemoCode &c = codeNumber(wholesale ? 2 : 1);
        const QString who = wholesale ? QString::fromUtf16(Customers[b.pick(0, 6)])
                                      : QStringLiteral("ΤΑΜΕΙΑΚΗ ΜΗΧΑΝΗ %1").arg(i + 1);
        b.book(day, c, who, b.amountFor(c), wholesale && b.pick(0, 1) == 0, Money());
    }
    if (b.pick(0, 2) > 0) {
        const DemoCode &c = codeNumber(b.pick(0, 3) == 0 ? 20 : 21);
        const Money amount = b.amountFor(c);
        // A supplier's invoice is often paid in part; the memo column keeps the invoice total.
        const Money memo = b.pick(0, 3) == 0 ? amount + Money::fromWhole(b.pick(1, 20) * 50) : Money();
        b.book(day, c, QString::fromUtf16(Customers[b.pick(0, 6)]), amount, c.code == 20 && b.pick(0, 2) == 0, memo);
    }
    if (b.pick(0, 9) == 0)
        b.book(day, codeNumber(13), QStringLiteral("ΧΑΡΤΙ - ΜΕΛΑΝΙΑ"), b.amountFor(codeNumber(13)), false, Money());
    const int dom = day.day();
    if (dom <= 3 && b.pick(0, 1) == 0) {
        for (int bill : {10, 11, 12}) {
            const DemoCode &c = codeNumber(bill);
            b.book(day, c, QStringLiteral("ΜΗΝΑΣ ") + regional::formatDate(day).mid(3), b.amountFor(c), bill == 10,
                   Money());
        }
    }
    if (day.dayOfWeek() == Qt::Tuesday || day.dayOfWeek() == Qt::Friday) {
        b.book(day, codeNumber(30), QStringLiteral("ΚΑΤΑΘΕΣΗ ΕΒΔΟΜΑΔΑΣ"), b.amountFor(codeNumber(30)), false, Money());
        if (dom > 24)
            b.book(day, codeNumber(14), QStringLiteral("ΠΡΟΚΑΤΑΒΟΛΗ ΜΙΣΘΩΝ"), b.amountFor(codeNumber(14)), false,
                   Money());
    }
}

} // namespace

const QString AdministratorCode = QStringLiteral("demo-admin");

Summary build(const QString &dataFolder, const QDate &today)
{
    if (!QFile::exists(datafolder::mainDatabase(dataFolder)))
        newinstall::createDatabases(dataFolder, globals().DbPassword);
    Store store(dataFolder, globals().DbPassword);
    db::Database &main = store.main();
    if (main.scalar(QStringLiteral("SELECT count(*) FROM kvdikoi")).toLongLong() > 0
        || schemaupgrade::currentVersion(main) != 0)
        throw std::runtime_error("the data folder already holds a cash book");

    const msg::Presenter previousPresenter = msg::install(&demoAnswer);
    AppGlobals &g = globals();
    const AppGlobals savedGlobals = g;
    g.RightChangeRecords = g.RightCloseCash = g.RightGroupsCodes = true;

    Summary summary;
    std::mt19937 rng(19550901);
    try {
        addGroupsAndCodes(main);
        Booker booker(store, rng);
        const QDate start = today.addMonths(-3);
        summary.openingDay = QDate(start.year(), start.month(), 1);

        // The opening balance is kept on the opening day; a zero movement on
        // that day shows the amount in its memo column too.
        const Money opening = Money::fromWhole(1500);
        schemaupgrade::UpgradeSchema(main, [&]() -> std::optional<schemaupgrade::OpeningBalance> {
            booker.book(summary.openingDay, codeNumber(OpeningCode), QStringLiteral("ΑΠΟΓΡΑΦΗ ΤΑΜΕΙΟΥ"), Money(),
                        false, opening);
            return schemaupgrade::OpeningBalance{regional::formatDate(summary.openingDay),
                                                 regional::formatMoney(opening)};
        });
        if (schemaupgrade::currentVersion(main) != schema::CurrentVersion)
            throw std::runtime_error("the schema did not reach the current version");

        const QDate closedUpTo = today.addDays(-10);
        for (QDate d = summary.openingDay.addDays(1); d < today; d = d.addDays(1)) {
            if (d.dayOfWeek() == Qt::Sunday)
                continue;
            bookDay(booker, d);
            ++summary.days;
            if (d <= closedUpTo && booker.ops().CloseCash(regional::formatDate(d)))
                ++summary.closedDays;
        }
        // A couple of corrections, as real days have them.
        const QDate fixDay = today.addDays(-3).dayOfWeek() == Qt::Sunday ? today.addDays(-4) : today.addDays(-3);
        const qint64 wrong = booker.book(fixDay, codeNumber(21), QStringLiteral("ΛΑΘΟΣ ΚΑΤΑΧΩΡΗΣΗ"),
                                         Money::fromWhole(99), false, Money());
        booker.ops().DeleteMovement(wrong);
        summary.movements = int(main.scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toLongLong());

        newinstall::addUser(store.users(), {QStringLiteral("demo"), QStringLiteral("demo"), true, true, true});
        admincode::set(store.users(), AdministratorCode);
    } catch (...) {
        msg::install(previousPresenter);
        g = savedGlobals;
        throw;
    }
    msg::install(previousPresenter);
    g = savedGlobals;
    return summary;
}

} // namespace demobook
