#pragma once

#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AppGlobals.h"
#include "platform/regional/GreekFormats.h"
#include "support/MovementEntries.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

// A data folder with an income code 10, an expense code 20 and an inactive
// income code 30, a logged-in user with every right, and the cash-book logic.
class CashBookFixture : public ::testing::Test
{
protected:
    struct DayRow
    {
        Money income, expense, balance;
        bool operator==(const DayRow &) const = default;
    };

    CashBookFixture()
    {
        const int group = folder.addGroup(QStringLiteral("ΓΕΝΙΚΑ"));
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true, group);
        folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false, group);
        folder.addCode(30, QStringLiteral("ΠΑΛΙΟΣ"), true, 0, false);
        globals().RightChangeRecords = true;
        globals().RightCloseCash = true;
    }

    static QDate day(int d, int m = 3) { return QDate(2026, m, d); }
    static Money euros(qint64 cents) { return Money::fromCents(cents); }

    cashbook::MovementEntry entry(const QDate &d, int code, const QString &income, const QString &expense,
                                  const QString &description = QStringLiteral("ΚΙΝΗΣΗ")) const
    {
        return movementEntry(d, code, income, expense, description);
    }

    qint64 insert(const QDate &d, int code, const QString &income, const QString &expense)
    {
        const auto aa = ops.InsertMovement(entry(d, code, income, expense));
        EXPECT_TRUE(aa.has_value());
        return aa.value_or(0);
    }

    std::optional<DayRow> row(const QDate &d)
    {
        db::Statement st = folder.main().prepare(QStringLiteral(
            "SELECT esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio WHERE hmeromhnia = ?1"));
        st.bind(1, d);
        if (!st.next())
            return std::nullopt;
        return DayRow{st.money(0), st.money(1), st.money(2)};
    }

    Money balance(const QDate &d) { return row(d).value_or(DayRow{}).balance; }

    qint64 count(const QString &sql) { return folder.main().scalar(sql).toLongLong(); }

    TestDataFolder folder;
    ScriptedMessages messages;
    cashbook::CashBook book{folder.store()};
    cashbook::CashOperations ops{book};
};
