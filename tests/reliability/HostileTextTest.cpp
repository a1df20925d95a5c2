// Hostile text through every field a user types or a file brings: each value
// is stored and read back unchanged, or refused with a message, and touches no
// row it was not meant for.
#include "AgreeingMessages.h"
#include "BookInspection.h"

#include "cashbook/CashOperations.h"
#include "cashbook/codes/CodeOperations.h"
#include "cashbook/codes/CodeQueries.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/MovementWords.h"
#include "data/PathFile.h"
#include "groups/GroupOperations.h"
#include "groups/GroupQueries.h"
#include "platform/regional/GreekFormats.h"
#include "shell/login/LoginSearch.h"
#include "shell/login/UserAdmin.h"
#include "support/MovementEntries.h"
#include "support/TestDataFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// User administration is reached through the administrator entry only.
auditlog::Author administrator()
{
    return {QStringLiteral("rootdesk"), QStringLiteral("desk1")};
}

QStringList hostileStrings()
{
    return {
        QStringLiteral("O'Brien"),
        QStringLiteral("' or '1'='1"),
        QStringLiteral("x'; DELETE FROM kinhseis; --"),
        QStringLiteral("a;b;c"),
        QStringLiteral("C:\\ΤΑΜΕΙΟ\\n\\0\\'"),
        QString::fromUtf16(u"πριν\0μετά", 9),
        QString(10240, QChar(0x03A7)),
        QString::fromUtf8("\xff\xfe\xc0\x80 bad \xed\xa0\x80"),
        QString::fromUtf8("ΚΑΦΕΣ \xf0\x9f\x92\xb6\xf0\x9f\xa7\xbe"),
        QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d \xd9\x85\xd8\xb1\xd8\xad\xd8\xa8\xd8\xa7 \xe2\x80\x8f"),
        QStringLiteral("%s%n%x {0} $(rm) `id`"),
        QStringLiteral("\"quoted\", with comma"),
    };
}

// Row counts of every table, the measure of "no effect on any other row".
QMap<QString, qint64> rowCounts(Store &store)
{
    QMap<QString, qint64> out;
    for (db::Database *db : {&store.main(), &store.users()}) {
        QStringList tables;
        db::Statement st = db->prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        while (st.next())
            tables << st.text(0);
        for (const QString &t : tables)
            if (t != QLatin1String("sqlite_sequence")) // the engine's own bookkeeping
                out[t] = db->scalar(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t)).toLongLong();
    }
    return out;
}

struct Result
{
    std::optional<QString> stored; // what reading it back gives; nullopt when refused
    QStringList tables;            // the tables that gain a row when stored
};

struct Field
{
    const char *name;
    std::function<Result(Store &, const QString &, int)> put;
};

cashbook::MovementEntry hostileEntry(const QString &description)
{
    return movementEntry(QDate(2026, 3, 2), 10, QStringLiteral("1,00"), {}, description);
}

std::vector<Field> fields()
{
    return {
        {"user name",
         [](Store &s, const QString &text, int) -> Result {
             if (!login::addUser(s.users(), {0, text, QStringLiteral("pw"), false, false, false}, administrator()))
                 return {std::nullopt, {}};
             return {login::listUsers(s.users()).last().name,
                     QStringList{QStringLiteral("codes"), QStringLiteral("katagrafh")}};
         }},
        {"password",
         [](Store &s, const QString &text, int i) -> Result {
             const QString name = QStringLiteral("ΧΡΗΣΤΗΣ%1").arg(i);
             if (!login::addUser(s.users(), {0, name, text, false, false, false}, administrator()))
                 return {std::nullopt, {}};
             // Passwords are kept as salted hashes: reading one back means
             // logging in with it.
             const auto found = login::findUser(s.users(), name, text.trimmed());
             return {found ? text : QStringLiteral("<cannot log in>"),
                     QStringList{QStringLiteral("codes"), QStringLiteral("katagrafh")}};
         }},
        {"code description",
         [](Store &s, const QString &text, int i) -> Result {
             const auto saved = codes::insertCode(s.main(), {QString::number(100 + i), text, {}, 0, true, true});
             if (!saved)
                 return {std::nullopt, {}};
             return {codes::codeById(s.main(), saved->id)->perigrafh, QStringList{QStringLiteral("kvdikoi")}};
         }},
        {"group name",
         [](Store &s, const QString &text, int) -> Result {
             if (!groups::insertGroup(s.main(), text))
                 return {std::nullopt, {}};
             return {groups::listGroups(s.main()).last().perigrafh, QStringList{QStringLiteral("omades")}};
         }},
        {"movement description",
         [](Store &s, const QString &text, int) -> Result {
             cashbook::CashBook book(s);
             cashbook::CashOperations ops(book);
             const auto aa = ops.InsertMovement(hostileEntry(text));
             if (!aa)
                 return {std::nullopt, {}};
             // The movement, and one row of the search's words table per word.
             QStringList tables{QStringLiteral("kinhseis")};
             for (qsizetype n = movementwords::wordsOf(movementwords::foldedText(text)).size(); n > 0; --n)
                 tables << QStringLiteral("kinhseis_lejeis");
             return {book.movement(*aa)->perigrafh, tables};
         }},
    };
}

TEST(HostileText, EveryFieldStoresItUnchangedOrRefusesItWithAMessage)
{
    TestDataFolder folder;
    folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
    globals().RightChangeRecords = true;
    AgreeingMessages messages;
    // The day already has its tameio row, so a movement adds exactly one row.
    {
        cashbook::CashBook book(folder.store());
        ASSERT_TRUE(cashbook::CashOperations(book).InsertMovement(hostileEntry(QStringLiteral("ΠΡΩΤΗ"))));
    }
    int tried = 0, mismatches = 0;
    QStringList failures;
    const QStringList strings = hostileStrings();
    for (const Field &field : fields()) {
        for (int i = 0; i < strings.size(); ++i) {
            const QString &text = strings[i];
            const QString where = QStringLiteral("%1 #%2: ").arg(QString::fromUtf8(field.name)).arg(i);
            const auto before = rowCounts(folder.store());
            messages.clear();
            ++tried;
            Result r;
            try {
                r = field.put(folder.store(), text, i);
            } catch (const std::exception &e) {
                failures << where + QStringLiteral("threw ") + QString::fromUtf8(e.what());
                ++mismatches;
                continue;
            }
            auto expected = before;
            if (r.stored)
                for (const QString &t : r.tables)
                    ++expected[t];
            bool bad = false;
            if (!r.stored && messages.shown().isEmpty())
                bad = true, failures << where + QStringLiteral("refused without a message");
            if (r.stored && *r.stored != text.trimmed())
                bad = true, failures << where + QStringLiteral("read back %1 characters, typed %2")
                                                    .arg(r.stored->size())
                                                    .arg(text.trimmed().size());
            if (rowCounts(folder.store()) != expected)
                bad = true, failures << where + QStringLiteral("other rows changed");
            mismatches += bad;
        }
    }
    // Nobody gets in by a password that is SQL.
    EXPECT_FALSE(login::findUser(folder.users(), QStringLiteral("admin"), QStringLiteral("' or '1'='1")));
    EXPECT_FALSE(login::findUser(folder.users(), QStringLiteral("' or '1'='1"), QStringLiteral("' or '1'='1")));
    EXPECT_TRUE(inspect::consistencyFaults(folder.main(), folder.users()).isEmpty());
    std::printf("hostile text: %d strings through fields, %d mismatches\n", tried, mismatches);
    EXPECT_EQ(mismatches, 0) << failures.join(QLatin1Char('\n')).toStdString();
}

// The header caption comes from DIADROMH.DAT, where a text item may stand in
// double quotes; any caption without a quote or line break comes back whole.
TEST(HostileText, HeaderCaptionFromThePathFileComesBackWhole)
{
    int tried = 0;
    for (const QString &text : hostileStrings()) {
        if (text.contains(QLatin1Char('"')) || text.contains(QChar(0)))
            continue;
        ++tried;
        const pathfile::Contents c =
            pathfile::parse(QStringLiteral("C:\\KELVORA\r\n12632256\r\n\"") + text + QStringLiteral("\"\r\n"));
        ASSERT_TRUE(c.caption.has_value());
        EXPECT_EQ(*c.caption, text);
    }
    EXPECT_GT(tried, 8);
}

} // namespace
