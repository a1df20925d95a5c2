#include "BookGenerator.h"

#include "cashbook/DisplayLines.h"
#include "data/AppGlobals.h"
#include "data/MovementWords.h"
#include "data/SchemaUpgrade.h"
#include "data/Store.h"
#include "platform/db/Transaction.h"
#include "platform/regional/GreekFormats.h"
#include "platform/regional/TextPad.h"
#include "tools/NewInstallation.h"

#include <random>

namespace benchsupport {
namespace {

constexpr int GroupCount = 8;
constexpr int CodeCount = 60;

struct Code
{
    int number;
    int group;
    bool income;
};

QList<Code> addCodes(db::Database &main)
{
    QList<qint64> groups;
    for (int g = 1; g <= GroupCount; ++g) {
        main.execute(QStringLiteral("INSERT INTO omades (perigrafh) VALUES (?1)"), QStringLiteral("ΟΜΑΔΑ %1").arg(g));
        groups << main.lastInsertId();
    }
    QList<Code> codes;
    db::Statement st = main.prepare(QStringLiteral(
        "INSERT INTO kvdikoi (kvdikos, perigrafh, omada, aa_omadas, lista, esodo, energos) VALUES (?1, ?2, ?3, ?4, ?5, ?6, -1)"));
    for (int i = 0; i < CodeCount; ++i) {
        const Code c{100 + i * 5, i % GroupCount, i % 4 == 0};
        const QString description = (c.income ? QStringLiteral("ΕΣΟΔΟ ") : QStringLiteral("ΕΞΟΔΟ ")) + QString::number(c.number);
        st.reset();
        st.bindAll(c.number, description, QStringLiteral("ΟΜΑΔΑ %1").arg(c.group + 1), groups[c.group],
                   regional::PadLeft(QString::number(c.number), 5) + QLatin1Char(' ') + description, c.income);
        st.run();
        codes << c;
    }
    return codes;
}

} // namespace

GeneratedBook generateBook(const QString &dataFolder, const BookSize &size)
{
    newinstall::createDatabases(dataFolder, globals().DbPassword);
    Store store(dataFolder, globals().DbPassword);
    db::Database &main = store.main();
    // The tables are empty, so the opening balance of the upgrade touches nothing.
    schemaupgrade::UpgradeSchema(main, [] {
        return std::optional<schemaupgrade::OpeningBalance>({QStringLiteral("01-01-2016"), QStringLiteral("0")});
    });

    std::mt19937 rng(size.seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    GeneratedBook out;
    out.firstDay = size.firstDay;
    const QDate end = size.firstDay.addYears(size.years);
    const QDate closedBefore = end.addDays(-30);

    db::Database &users = store.users();
    {
        db::Transaction tu(users);
        for (const char *name : {"admin", "maria", "kostas", "eleni"})
            users.execute(QStringLiteral("INSERT INTO codes (uname, upass, dikaivma_eggrafes, dikaivma_klhsimo, "
                                         "dikaivma_kvdikoi) VALUES (?1, ?1, ?2, ?3, ?2)"),
                          QString::fromLatin1(name), qstrcmp(name, "admin") == 0, qstrcmp(name, "kostas") != 0);
        db::Statement close = users.prepare(QStringLiteral("INSERT INTO KlhsimoTameioy (Hmeraklhsimatos) VALUES (?1)"));
        for (QDate d = size.firstDay; d < closedBefore; d = d.addDays(1)) {
            close.reset();
            close.bind(1, d);
            close.run();
        }
        tu.commit();
    }

    db::Transaction t(main);
    const QList<Code> codes = addCodes(main);
    out.codes = int(codes.size());
    db::Statement move = main.prepare(QStringLiteral(
        "INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"));
    db::Statement day = main.prepare(QStringLiteral(
        "INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo) VALUES (?1, ?2, ?3, ?4)"));
    Money balance;
    for (QDate d = size.firstDay; d < end; d = d.addDays(1)) {
        // Sundays and a few holidays are not working days.
        if (d.dayOfWeek() == Qt::Sunday || pick(0, 40) == 0)
            continue;
        Money income, expense;
        const int count = pick(size.movementsPerDay / 2, size.movementsPerDay * 3 / 2);
        for (int i = 0; i < count; ++i) {
            const Code &c = codes[pick(0, CodeCount - 1)];
            const Money amount = Money::fromCents((c.income ? pick(1000, 200000) : pick(500, 90000)) * size.amountScale);
            const Money in = c.income ? amount : Money();
            const Money out_ = c.income ? Money() : amount;
            const bool cheque = pick(0, 15) == 0;
            const Money memo = pick(0, 20) == 0 ? Money::fromCents(pick(100, 50000) * size.amountScale) : Money();
            const QString description = QStringLiteral("ΚΙΝΗΣΗ %1 ΤΗΣ %2").arg(i + 1).arg(regional::formatDate(d));
            move.reset();
            move.bindAll(c.number, d, description, in, out_, int(c.group + 1),
                         cashbook::lines::storedLine(c.number, description, cashbook::lines::moneyOrZero(in),
                                                     cashbook::lines::moneyOrZero(out_), cheque),
                         cheque, memo);
            move.run();
            income += in;
            expense += out_;
        }
        balance += income - expense;
        day.reset();
        day.bindAll(d, income, expense, balance);
        day.run();
        ++out.days;
        out.movements += count;
        out.lastDay = d;
        if (d < closedBefore)
            ++out.closedDays;
    }
    // The search's words, as the program keeps them with every booking.
    movementwords::rebuildAll(main);
    t.commit();
    return out;
}

} // namespace benchsupport
