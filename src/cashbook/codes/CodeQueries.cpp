#include "CodeQueries.h"

#include "platform/db/Database.h"
#include "platform/regional/TextPad.h"

namespace codes {
namespace {

const QString Columns = QStringLiteral("id, kvdikos, perigrafh, omada, aa_omadas, lista, esodo, energos");

CodeRow readCode(const db::Statement &st)
{
    CodeRow r;
    r.id = st.integer(0);
    r.kvdikos = st.integer(1);
    r.perigrafh = st.text(2);
    r.omada = st.text(3);
    r.aa_omadas = st.integer(4);
    r.lista = st.text(5);
    r.esodo = st.flag(6);
    r.energos = st.flag(7);
    return r;
}

template <typename... Args> QList<CodeRow> selectCodes(db::Database &db, const QString &tail, const Args &...args)
{
    QList<CodeRow> rows;
    auto st = db.prepare(QStringLiteral("SELECT ") + Columns + QStringLiteral(" FROM kvdikoi ") + tail);
    st.bindAll(args...);
    while (st.next())
        rows << readCode(st);
    return rows;
}

} // namespace

QString makeLista(const QString &code, const QString &description)
{
    return regional::PadLeft(code, 5) + QLatin1Char(' ') + description;
}

QList<CodeRow> allCodes(db::Database &db)
{
    return selectCodes(db, QStringLiteral("ORDER BY kvdikos, id"));
}

QList<CodeRow> codesOfGroup(db::Database &db, qint64 aa)
{
    return selectCodes(db, QStringLiteral("WHERE aa_omadas = ?1 ORDER BY kvdikos, id"), aa);
}

std::optional<CodeRow> codeById(db::Database &db, qint64 id)
{
    const auto rows = selectCodes(db, QStringLiteral("WHERE id = ?1"), id);
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

bool codeInUse(db::Database &db, qint64 kvdikos)
{
    return db.scalar(QStringLiteral("SELECT 1 FROM kinhseis WHERE kvdikos = ?1 LIMIT 1"), kvdikos).isValid();
}

} // namespace codes
