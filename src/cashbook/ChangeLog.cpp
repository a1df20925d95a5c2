#include "ChangeLog.h"

#include "data/AppGlobals.h"
#include "platform/db/Database.h"
#include "platform/regional/GreekFormats.h"

namespace cashbook::changelog {
namespace {

const QString Table = QStringLiteral("allages");
const QString ChangeText = QStringLiteral("Μεταβολή");
const QString DeleteText = QStringLiteral("Διαγραφή");
const QString InsertText = QStringLiteral("Εισαγωγή");

QString workstation()
{
    const AppGlobals &g = globals();
    return g.NetUserName.isEmpty() ? g.MachineName : g.MachineName + QStringLiteral(" (") + g.NetUserName + u')';
}

} // namespace

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Insert: return InsertText;
    case Kind::Change: return ChangeText;
    case Kind::Delete: return DeleteText;
    }
    return ChangeText;
}

QString laterClosedNote(const LaterClosedDays &moved)
{
    if (moved.count == 0)
        return QString();
    return moved.count == 1
        ? QStringLiteral("άλλαξε το υπόλοιπο της κλεισμένης ημέρας ") + regional::formatDate(moved.first)
        : QStringLiteral("άλλαξε το υπόλοιπο %1 κλεισμένων ημερών, από την ").arg(moved.count)
            + regional::formatDate(moved.first);
}

QString describe(const Movement &m)
{
    QString text = QString::number(m.kvdikos) + QStringLiteral(" ") + m.perigrafh.trimmed() +
                   QStringLiteral(", έσοδα ") + regional::formatMoney(m.esoda) + QStringLiteral(", έξοδα ") +
                   regional::formatMoney(m.ejoda) + QStringLiteral(", Λ τάξεως ") + regional::formatMoney(m.L_tajeos);
    if (m.epitagh)
        text += QStringLiteral(", επιταγή");
    return text;
}

void record(db::Database &main, Kind kind, const Movement *before, const Movement *after, bool dayClosed,
            const LaterClosedDays &moved)
{
    if (!main.tableExists(Table))
        return;
    const Movement &subject = before ? *before : *after;
    // The movement's own text stays first; what it did to later closed days follows.
    QString afterText = after ? describe(*after) : QString();
    const QString note = laterClosedNote(moved);
    if (!note.isEmpty())
        afterText += (afterText.isEmpty() ? QString() : QStringLiteral("; ")) + note;
    main.execute(QStringLiteral("INSERT INTO allages (pote, xrhsths, staumos, eidos, kinhsh, hmeromhnia, prin, meta, "
                                "kleisto) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
                 QDateTime::currentDateTime().toString(Qt::ISODate), globals().CurrentUserName, workstation(),
                 kindText(kind), subject.aa, subject.hmeromhnia, before ? describe(*before) : QString(), afterText,
                 dayClosed);
}

QList<Entry> entries(db::Database &main, const QDate &from, const QDate &to)
{
    QList<Entry> out;
    if (!main.tableExists(Table))
        return out;
    // pote is ISO text: the day bounds compare as text.
    auto st = main.prepare(QStringLiteral(
        "SELECT pote, xrhsths, staumos, eidos, kinhsh, hmeromhnia, prin, meta, kleisto FROM allages "
        "WHERE pote >= ?1 AND pote < ?2 ORDER BY pote DESC, aa DESC"));
    st.bind(1, from.toString(Qt::ISODate));
    st.bind(2, to.addDays(1).toString(Qt::ISODate));
    while (st.next()) {
        Entry e;
        e.when = QDateTime::fromString(st.value(0).toString(), Qt::ISODate);
        e.user = st.value(1).toString();
        e.workstation = st.value(2).toString();
        const QString kind = st.value(3).toString();
        e.kind = kind == DeleteText ? Kind::Delete : kind == InsertText ? Kind::Insert : Kind::Change;
        e.movement = st.value(4).toLongLong();
        e.day = QDate::fromString(st.value(5).toString(), Qt::ISODate);
        e.before = st.value(6).toString();
        e.after = st.value(7).toString();
        e.dayClosed = st.value(8).toInt() != 0;
        out << e;
    }
    return out;
}

} // namespace cashbook::changelog
