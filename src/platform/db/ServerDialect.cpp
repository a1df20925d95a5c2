#include "ServerDialect.h"

#include "DbError.h"

#include <QRegularExpression>
#include <QStringList>

namespace db::server {

const char *const TypeOfFunctionDefinition =
    "CREATE OR REPLACE FUNCTION pg_temp.typeof(v anyelement) RETURNS text LANGUAGE sql IMMUTABLE AS $f$"
    " SELECT CASE WHEN v IS NULL THEN 'null'"
    " WHEN pg_typeof(v) IN ('bigint'::regtype, 'integer'::regtype, 'smallint'::regtype, 'boolean'::regtype) THEN 'integer'"
    " WHEN pg_typeof(v) IN ('double precision'::regtype, 'real'::regtype, 'numeric'::regtype) THEN 'real'"
    " WHEN pg_typeof(v) = 'bytea'::regtype THEN 'blob' ELSE 'text' END $f$";

const char *const FoldFunctionDefinition =
    "CREATE OR REPLACE FUNCTION pg_temp.greekci(t text) RETURNS text LANGUAGE sql IMMUTABLE AS $f$"
    " SELECT translate(lower(regexp_replace(normalize(t, NFD), '[\\u0300-\\u036f\\u1dc0-\\u1dff\\u20d0-\\u20ff]', '', 'g')),"
    " 'ςϐϑϕϖϰϱϵµ', 'σβθφπκρεμ') $f$";

namespace {

using Re = QRegularExpression;
constexpr auto CI = QRegularExpression::CaseInsensitiveOption;

[[noreturn]] void unsupported(const QString &what, const QString &sql)
{
    throw DbError(DbError::Kind::Sql, QStringLiteral("the server engine does not carry ") + what
                                          + QStringLiteral(" in: ") + sql);
}

// String literals are set aside while the text is rewritten, so that nothing
// inside a quoted value is ever taken for syntax.
struct Masked
{
    QString text;
    QStringList literals;
};

Masked maskLiterals(const QString &sql)
{
    Masked m;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c != QLatin1Char('\'')) {
            m.text += c;
            continue;
        }
        int j = i + 1;
        while (j < sql.size()) {
            if (sql.at(j) == QLatin1Char('\'')) {
                if (j + 1 < sql.size() && sql.at(j + 1) == QLatin1Char('\'')) {
                    j += 2;
                    continue;
                }
                break;
            }
            ++j;
        }
        m.literals << sql.mid(i, j - i + 1);
        m.text += QStringLiteral("\x01%1\x01").arg(m.literals.size() - 1);
        i = j;
    }
    return m;
}

QString unmask(QString text, const QStringList &literals)
{
    static const Re marker(QStringLiteral("\\x01(\\d+)\\x01"));
    QString out;
    int last = 0;
    auto it = marker.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        out += literals.at(m.captured(1).toInt());
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// `?5` keeps its number, a bare `?` takes the next one after the highest so far.
QString numberPlaceholders(const QString &sql, int &count)
{
    QString out;
    int highest = 0;
    for (int i = 0; i < sql.size(); ++i) {
        if (sql.at(i) != QLatin1Char('?')) {
            out += sql.at(i);
            continue;
        }
        int j = i + 1;
        while (j < sql.size() && sql.at(j).isDigit())
            ++j;
        const int n = j > i + 1 ? sql.mid(i + 1, j - i - 1).toInt() : highest + 1;
        highest = std::max(highest, n);
        out += QLatin1Char('$') + QString::number(n);
        i = j - 1;
    }
    count = highest;
    return out;
}

// The closing parenthesis of the call whose "(" is at `open`, or -1.
int closingParen(const QString &s, int open)
{
    int depth = 0;
    for (int i = open; i < s.size(); ++i) {
        if (s.at(i) == QLatin1Char('('))
            ++depth;
        else if (s.at(i) == QLatin1Char(')') && --depth == 0)
            return i;
    }
    return -1;
}

QStringList topLevelArguments(const QString &inside)
{
    QStringList args;
    int depth = 0;
    int start = 0;
    for (int i = 0; i < inside.size(); ++i) {
        const QChar c = inside.at(i);
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (c == QLatin1Char(',') && depth == 0) {
            args << inside.mid(start, i - start);
            start = i + 1;
        }
    }
    args << inside.mid(start);
    return args;
}

// Rewrites every call of `name(...)`, innermost last, through `rewrite(args)`.
template <typename F> QString rewriteCalls(QString s, const QString &name, F rewrite)
{
    const Re call(QStringLiteral("(?<![\\w.$])") + name + QStringLiteral("\\s*\\("), CI);
    int from = 0;
    for (;;) {
        const auto m = call.match(s, from);
        if (!m.hasMatch())
            return s;
        const int open = m.capturedEnd() - 1;
        const int close = closingParen(s, open);
        if (close < 0)
            return s;
        const QStringList args = topLevelArguments(s.mid(open + 1, close - open - 1));
        const QString replacement = rewrite(args);
        if (replacement.isNull()) {
            from = m.capturedEnd();
            continue;
        }
        s.replace(m.capturedStart(), close + 1 - m.capturedStart(), replacement);
        from = m.capturedStart();
    }
}

QString renameFunctions(QString s)
{
    s = rewriteCalls(s, QStringLiteral("total"), [](const QStringList &a) {
        return QStringLiteral("coalesce(sum((%1)::float8), 0)").arg(a.join(QLatin1Char(',')).trimmed());
    });
    s = rewriteCalls(s, QStringLiteral("ifnull"),
                     [](const QStringList &a) { return QStringLiteral("coalesce(") + a.join(QLatin1Char(',')) + QLatin1Char(')'); });
    s = rewriteCalls(s, QStringLiteral("typeof"),
                     [](const QStringList &a) { return QStringLiteral("pg_temp.typeof(") + a.join(QLatin1Char(',')) + QLatin1Char(')'); });
    s = rewriteCalls(s, QStringLiteral("instr"),
                     [](const QStringList &a) { return QStringLiteral("strpos(") + a.join(QLatin1Char(',')) + QLatin1Char(')'); });
    // With several arguments the file engine's min/max are the scalar ones.
    for (const auto &[from, to] : {std::pair{"max", "greatest"}, std::pair{"min", "least"}}) {
        s = rewriteCalls(s, QString::fromLatin1(from), [to = to](const QStringList &a) {
            return a.size() > 1 ? QString::fromLatin1(to) + QLatin1Char('(') + a.join(QLatin1Char(',')) + QLatin1Char(')') : QString();
        });
    }
    return s;
}

QString convertValues(QString s, ServerStatement &out, const QString &original)
{
    static const Re conv(QStringLiteral("(?<![\\w.])(cdate|csng)\\s*\\(\\s*\\$(\\d+)\\s*\\)"), CI);
    QString result;
    int last = 0;
    auto it = conv.globalMatch(s);
    while (it.hasNext()) {
        const auto m = it.next();
        const bool date = m.captured(1).compare(QLatin1String("cdate"), Qt::CaseInsensitive) == 0;
        const int n = m.captured(2).toInt();
        out.conversions.insert(n, date ? Conversion::Date : Conversion::Amount);
        result += s.mid(last, m.capturedStart() - last);
        result += QStringLiteral("($%1::%2)").arg(n).arg(date ? QStringLiteral("text") : QStringLiteral("bigint"));
        last = m.capturedEnd();
    }
    result += s.mid(last);
    if (result.contains(Re(QStringLiteral("(?<![\\w.])(cdate|csng)\\s*\\("), CI)))
        unsupported(QStringLiteral("cdate/csng of anything but a bound value"), original);
    return result;
}

QString greekFolding(QString s, const QString &original)
{
    static const QString operand = QStringLiteral("(\\$\\d+|\\x01\\d+\\x01|[A-Za-z_][\\w.]*)");
    static const Re compare(operand + QStringLiteral("\\s*(=|<>|!=|<=|>=|<|>)\\s*") + operand
                                + QStringLiteral("\\s+COLLATE\\s+GREEKCI\\b"),
                            CI);
    s.replace(compare, QStringLiteral("pg_temp.greekci(\\1) \\2 pg_temp.greekci(\\3)"));
    // Anything else that ends in COLLATE GREEKCI is an ordering; one that
    // follows a comparison had an operand not carried above.
    static const Re order(QStringLiteral("([=<>]\\s*)?") + operand + QStringLiteral("\\s+COLLATE\\s+GREEKCI\\b"), CI);
    for (auto m = order.match(s); m.hasMatch(); m = order.match(s, m.capturedStart())) {
        if (!m.captured(1).isEmpty())
            unsupported(QStringLiteral("this use of the Greek-folding comparison"), original);
        s.replace(m.capturedStart(), m.capturedLength(),
                  QStringLiteral("pg_temp.greekci(%1) COLLATE \"C\"").arg(m.captured(2)));
    }
    if (s.contains(Re(QStringLiteral("\\bCOLLATE\\s+GREEKCI\\b"), CI)))
        unsupported(QStringLiteral("this use of the Greek-folding comparison"), original);
    return s;
}

QString tableTypes(QString s)
{
    if (!s.contains(Re(QStringLiteral("^\\s*(CREATE|ALTER)\\s+TABLE\\b"), CI)))
        return s.replace(Re(QStringLiteral("\\bAS\\s+INTEGER\\b"), CI), QStringLiteral("AS bigint"));
    s.replace(Re(QStringLiteral("\\bINTEGER\\s+PRIMARY\\s+KEY(\\s+AUTOINCREMENT)?\\b"), CI),
              QStringLiteral("bigserial PRIMARY KEY"));
    s.replace(Re(QStringLiteral("\\bINTEGER\\b"), CI), QStringLiteral("bigint"));
    s.replace(Re(QStringLiteral("\\bREAL\\b"), CI), QStringLiteral("double precision"));
    s.replace(Re(QStringLiteral("\\bBLOB\\b"), CI), QStringLiteral("bytea"));
    if (s.contains(Re(QStringLiteral("^\\s*CREATE\\s+TABLE\\b"), CI))
        && !s.contains(QLatin1String("PRIMARY KEY"), Qt::CaseInsensitive)) {
        const int close = s.lastIndexOf(QLatin1Char(')'));
        if (close > 0)
            s.insert(close, QStringLiteral(", %1 bigserial").arg(QLatin1String(RowIdColumn)));
    }
    return s;
}

// The server folds unquoted names to lower case; the name as declared
// (kinhseis.L_tajeos) is kept as the column's comment for the schema walk.
QString keepDeclaredNames(const QString &s)
{
    static const Re create(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?([\\w.]+)\\s*\\("), CI);
    static const Re alter(
        QStringLiteral("^\\s*ALTER\\s+TABLE\\s+([\\w.]+)\\s+ADD\\s+(?:COLUMN\\s+)?(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)"), CI);
    static const Re constraint(QStringLiteral("^(PRIMARY|UNIQUE|CHECK|FOREIGN|CONSTRAINT)$"), CI);
    QString table;
    QStringList columns;
    if (const auto m = alter.match(s); m.hasMatch()) {
        table = m.captured(1);
        columns << m.captured(2);
    } else if (const auto c = create.match(s); c.hasMatch()) {
        table = c.captured(1);
        const int open = c.capturedEnd() - 1;
        const int close = closingParen(s, open);
        for (const QString &def : topLevelArguments(s.mid(open + 1, close - open - 1))) {
            const QString name = def.trimmed().section(QLatin1Char(' '), 0, 0);
            if (!name.isEmpty() && !constraint.match(name).hasMatch())
                columns << name;
        }
    }
    QString comments;
    for (const QString &c : columns)
        if (c != c.toLower())
            comments += QStringLiteral(";\nCOMMENT ON COLUMN %1.%2 IS '%3'").arg(table, c, c);
    return comments;
}

QString translateMasked(const QString &masked, ServerStatement &out, const QHash<QString, QString> &aliases,
                        const QString &original);

// A row trigger of the file engine,
//   CREATE TRIGGER n BEFORE|AFTER INSERT|UPDATE [OF c]|DELETE ON t [WHEN cond]
//   BEGIN statement; ... END
// becomes a function of the schema and a row trigger calling it. Its body is
// either SELECT RAISE(ABORT, 'message') (how a failure is forced midway, to
// prove that nothing of an operation stays) or statements that change other
// tables, each carried into the server's dialect like any other statement.
bool triggerStatement(const QString &s, ServerStatement &out, const QHash<QString, QString> &aliases,
                      const QString &original)
{
    if (!s.contains(Re(QStringLiteral("^\\s*CREATE\\s+TRIGGER\\b"), CI)))
        return false;
    static const Re trigger(
        QStringLiteral("^\\s*CREATE\\s+TRIGGER\\s+(\\w+)\\s+(BEFORE|AFTER)\\s+(INSERT|DELETE|UPDATE(?:\\s+OF\\s+[\\w\\s,]+?)?)"
                       "\\s+ON\\s+([\\w.]+)(?:\\s+FOR\\s+EACH\\s+ROW)?(?:\\s+WHEN\\s+(.+?))?\\s+BEGIN\\s+(.+?);\\s*END\\s*;?\\s*$"),
        CI | QRegularExpression::DotMatchesEverythingOption);
    static const Re raise(QStringLiteral("^\\s*SELECT\\s+RAISE\\s*\\(\\s*ABORT\\s*,\\s*(\\x01\\d+\\x01)\\s*\\)\\s*$"), CI);
    const auto m = trigger.match(s);
    if (!m.hasMatch())
        unsupported(QStringLiteral("this trigger"), original);
    const QString name = m.captured(1);
    const QString event = m.captured(3);
    const QString row = event.startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive) ? QStringLiteral("OLD")
                                                                                        : QStringLiteral("NEW");
    const QString when = m.captured(5).isEmpty() ? QStringLiteral("true") : renameFunctions(m.captured(5));
    QString body;
    if (const auto r = raise.match(m.captured(6)); r.hasMatch()) {
        body = QStringLiteral("RAISE EXCEPTION '%', %1;").arg(r.captured(1));
    } else {
        for (const QString &statement : m.captured(6).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            ServerStatement inner;
            body += translateMasked(statement.trimmed(), inner, aliases, original) + QLatin1Char(';');
            if (inner.parameterCount > 0)
                unsupported(QStringLiteral("bound values in a trigger"), original);
        }
    }
    out.text = QStringLiteral("CREATE FUNCTION %1_trigger() RETURNS trigger LANGUAGE plpgsql AS $t$ BEGIN "
                              "IF %2 THEN %3 END IF; RETURN %4; END $t$;\n"
                              "CREATE TRIGGER %1 %5 %6 ON %7 FOR EACH ROW EXECUTE FUNCTION %1_trigger()")
                   .arg(name, when, body, row, m.captured(2), event, m.captured(4));
    return true;
}

// The schema version counters of a file live in a small table of each schema.
bool pragmaStatement(const QString &s, ServerStatement &out, const QString &original)
{
    static const Re pragma(QStringLiteral("^\\s*PRAGMA\\s+(\\w+)\\s*(?:=\\s*(-?\\d+))?\\s*;?\\s*$"), CI);
    const auto m = pragma.match(s);
    if (!s.contains(Re(QStringLiteral("^\\s*PRAGMA\\b"), CI)))
        return false;
    const QString name = m.captured(1).toLower();
    if (!m.hasMatch() || (name != QLatin1String("user_version") && name != QLatin1String("application_id")))
        unsupported(QStringLiteral("this PRAGMA"), original);
    if (m.captured(2).isEmpty())
        out.text = QStringLiteral("SELECT coalesce((SELECT value FROM kelvora_counters WHERE name = '%1'), 0)").arg(name);
    else
        out.text = QStringLiteral("INSERT INTO kelvora_counters (name, value) VALUES ('%1', %2) "
                                  "ON CONFLICT (name) DO UPDATE SET value = excluded.value")
                       .arg(name, m.captured(2));
    return true;
}

QString translateMasked(const QString &masked, ServerStatement &out, const QHash<QString, QString> &aliases,
                        const QString &original)
{
    QString s = numberPlaceholders(masked, out.parameterCount);
    if (pragmaStatement(s, out, original) || triggerStatement(s, out, aliases, original))
        return out.text;
    // A trigger goes with its function.
    static const Re dropTrigger(QStringLiteral("^\\s*DROP\\s+TRIGGER\\s+(IF\\s+EXISTS\\s+)?(\\w+)\\s*;?\\s*$"), CI);
    if (const auto m = dropTrigger.match(s); m.hasMatch())
        return QStringLiteral("DROP FUNCTION %1%2_trigger() CASCADE").arg(m.captured(1), m.captured(2));
    s = convertValues(s, out, original);
    if (s.contains(Re(QStringLiteral("\\bINSERT\\s+OR\\s+REPLACE\\b"), CI)))
        unsupported(QStringLiteral("INSERT OR REPLACE"), original);
    static const Re orIgnore(QStringLiteral("\\bINSERT\\s+OR\\s+IGNORE\\b"), CI);
    if (s.contains(orIgnore)) {
        s.replace(orIgnore, QStringLiteral("INSERT"));
        s.remove(Re(QStringLiteral(";\\s*$")));
        s += QStringLiteral(" ON CONFLICT DO NOTHING");
    }
    s = renameFunctions(s);
    // A unary plus kept the file engine from using an index; the server has no unary plus for text.
    s.replace(Re(QStringLiteral("\\b(WHERE|AND|OR|ON)\\s+\\+(?=[A-Za-z_])"), CI), QStringLiteral("\\1 "));
    s = greekFolding(s, original);
    s = tableTypes(s) + keepDeclaredNames(s);
    for (auto it = aliases.cbegin(); it != aliases.cend(); ++it)
        s.replace(Re(QStringLiteral("(?<![\\w.])") + QRegularExpression::escape(it.key()) + QStringLiteral("\\."), CI),
                  it.value() + QLatin1Char('.'));
    return s;
}

} // namespace

ServerStatement translate(const QString &sql, const QHash<QString, QString> &aliases)
{
    ServerStatement out;
    const Masked m = maskLiterals(sql);
    out.text = unmask(translateMasked(m.text, out, aliases, sql), m.literals);
    return out;
}

QString translateScript(const QString &script, const QHash<QString, QString> &aliases)
{
    const Masked m = maskLiterals(script);
    QStringList parts;
    QStringList pieces = m.text.split(QLatin1Char(';'));
    for (int i = 0; i < pieces.size(); ++i) {
        QString statement = pieces[i];
        // A trigger's body holds its own semicolons: it ends at END.
        if (statement.contains(Re(QStringLiteral("^\\s*CREATE\\s+TRIGGER\\b"), CI)))
            while (!statement.contains(Re(QStringLiteral("\\bEND\\s*$"), CI)) && i + 1 < pieces.size())
                statement += QLatin1Char(';') + pieces[++i];
        if (statement.trimmed().isEmpty())
            continue;
        ServerStatement out;
        const QString original = unmask(statement, m.literals);
        parts << unmask(translateMasked(statement, out, aliases, original), m.literals);
        if (out.parameterCount > 0)
            unsupported(QStringLiteral("bound values in a script"), original);
    }
    return parts.join(QStringLiteral(";\n"));
}

} // namespace db::server
