#pragma once

#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AppGlobals.h"
#include "data/Balances.h"
#include "platform/regional/GreekFormats.h"
#include "support/MovementEntries.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QDate>
#include <QList>
#include <QMap>

#include <gtest/gtest.h>

// A book for the chart tests, booked through the cash sheet's operations so
// its tameio rows are the ones users get. It keeps every movement it books,
// so tests add up what the charts must show from these, not from the report.
class CashChartsBook
{
public:
    struct Booked
    {
        QDate day;
        int code = 0;
        qint64 incomeCents = 0;
        qint64 expenseCents = 0;
    };

    CashChartsBook()
    {
        globals().RightChangeRecords = true;
        sales = folder.addGroup(QStringLiteral("ΠΩΛΗΣΕΙΣ"));
        purchases = folder.addGroup(QStringLiteral("ΑΓΟΡΕΣ"));
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true, sales);
        folder.addCode(20, QStringLiteral("ΕΜΠΟΡΕΥΜΑΤΑ"), false, purchases);
        folder.addCode(21, QStringLiteral("ΠΡΩΤΕΣ ΥΛΕΣ"), false, purchases);
        folder.addCode(40, QStringLiteral("ΔΙΑΦΟΡΑ ΕΞΟΔΑ"), false, 0);   // in no group
        folder.addCode(50, QStringLiteral("ΔΙΑΦΟΡΑ ΕΣΟΔΑ"), true, 0);    // in no group
    }

    void opening(const QDate &day, qint64 cents)
    {
        balances::setOpeningBalance(folder.main(), day, Money::fromCents(cents));
        openingDay = day;
        openingCents = cents;
    }

    void book(const QDate &day, int code, qint64 incomeCents, qint64 expenseCents)
    {
        const auto text = [](qint64 cents) { return regional::formatMoney(Money::fromCents(cents)); };
        const auto aa = ops.InsertMovement(
            movementEntry(day, code, text(incomeCents), text(expenseCents), QStringLiteral("ΚΙΝΗΣΗ")));
        ASSERT_TRUE(aa.has_value());
        booked << Booked{day, code, incomeCents, expenseCents};
    }

    // The balance at the end of a day: the opening balance once its day has
    // come, and every movement up to the day.
    qint64 balanceCents(const QDate &day) const
    {
        qint64 cents = openingDay.isValid() && openingDay <= day ? openingCents : 0;
        for (const Booked &b : booked)
            if (b.day <= day)
                cents += b.incomeCents - b.expenseCents;
        return cents;
    }

    TestDataFolder folder;
    ScriptedMessages messages;
    cashbook::CashBook cash{folder.store()};
    cashbook::CashOperations ops{cash};
    int sales = 0, purchases = 0;
    QList<Booked> booked;
    QDate openingDay;
    qint64 openingCents = 0;
};
