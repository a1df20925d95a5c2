#include "MovementWords.h"

#include "platform/db/Database.h"
#include "platform/regional/GreekFormats.h"

#include <QSet>

namespace movementwords {
namespace {

const QString Table = QStringLiteral("kinhseis_lejeis");

// The marks users type for an apostrophe: the typewriter one, the curly
// closing and opening quotes, the modifier letter, and the Greek tonos and
// numeral sign written after a letter numeral ("Γ΄").
bool isApostrophe(QChar c)
{
    switch (c.unicode()) {
    case 0x0027: case 0x2019: case 0x2018: case 0x02BC: case 0x0384: case 0x0374: case 0x02B9:
        return true;
    default:
        return false;
    }
}

void insertWords(db::Statement &insert, qint64 aa, const QString &description)
{
    for (const QString &word : wordsOf(foldedText(description))) {
        insert.reset();
        insert.bindAll(word, aa);
        insert.run();
    }
}

} // namespace

QString foldedText(const QString &text)
{
    QString folded = regional::foldForComparison(text);
    for (QChar &c : folded)
        if (isApostrophe(c))
            c = QLatin1Char('\'');
    return folded;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('\'');
}

QStringList wordsOf(const QString &folded)
{
    QStringList words;
    QSet<QString> seen;
    qsizetype i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && (!isWordCharacter(folded[i]) || folded[i] == QLatin1Char('\'')))
            ++i;
        const qsizetype start = i;
        while (i < folded.size() && isWordCharacter(folded[i]))
            ++i;
        if (i > start) {
            const QString word = folded.mid(start, i - start);
            if (!seen.contains(word)) {
                seen.insert(word);
                words << word;
            }
        }
    }
    return words;
}

bool hasTable(db::Database &db)
{
    return db.tableExists(Table);
}

void recordWords(db::Database &db, qint64 aa, const QString &description)
{
    if (!hasTable(db))
        return;
    db.execute(QStringLiteral("DELETE FROM kinhseis_lejeis WHERE aa = ?1"), aa);
    db::Statement insert = db.prepare(QStringLiteral("INSERT INTO kinhseis_lejeis (lejh, aa) VALUES (?1, ?2)"));
    insertWords(insert, aa, description);
}

void forgetWords(db::Database &db, qint64 aa)
{
    if (hasTable(db))
        db.execute(QStringLiteral("DELETE FROM kinhseis_lejeis WHERE aa = ?1"), aa);
}

void rebuildAll(db::Database &db)
{
    db.execute(QStringLiteral("DELETE FROM kinhseis_lejeis"));
    db::Statement insert = db.prepare(QStringLiteral("INSERT INTO kinhseis_lejeis (lejh, aa) VALUES (?1, ?2)"));
    db::Statement rows = db.prepare(QStringLiteral("SELECT aa, perigrafh FROM kinhseis ORDER BY aa"));
    while (rows.next())
        insertWords(insert, rows.integer(0), rows.text(1));
}

} // namespace movementwords
