#include "StoreFunctions.h"

#include "platform/regional/GreekFormats.h"

#include <sqlcipher/sqlite3.h>

namespace db {
namespace {

QString argText(sqlite3_value *v)
{
    const auto *p = static_cast<const char16_t *>(sqlite3_value_text16(v));
    return p ? QString::fromUtf16(p, sqlite3_value_bytes16(v) / 2) : QString();
}

// The old engine failed the whole statement when a conversion could not read
// its text, so a failed step never wrote a half-result; keep that.
void cdateFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto d = regional::parseDate(argText(argv[0]));
    if (!d) {
        sqlite3_result_error(ctx, "cdate: not a date", -1);
        return;
    }
    const QByteArray iso = d->toString(Qt::ISODate).toLatin1();
    sqlite3_result_text(ctx, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
}

void csngFunction(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const auto m = regional::parseMoney(argText(argv[0]));
    if (!m) {
        sqlite3_result_error(ctx, "csng: not a number", -1);
        return;
    }
    sqlite3_result_int64(ctx, m->units());
}

int greekCaseInsensitive(void *, int n1, const void *s1, int n2, const void *s2)
{
    const QString a = QString::fromUtf16(static_cast<const char16_t *>(s1), n1 / 2);
    const QString b = QString::fromUtf16(static_cast<const char16_t *>(s2), n2 / 2);
    return regional::compareFolded(a, b);
}

} // namespace

void registerStoreFunctions(sqlite3 *db)
{
    sqlite3_create_function(db, "cdate", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            cdateFunction, nullptr, nullptr);
    sqlite3_create_function(db, "csng", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            csngFunction, nullptr, nullptr);
    sqlite3_create_collation(db, "GREEKCI", SQLITE_UTF16_ALIGNED, nullptr, greekCaseInsensitive);
}

} // namespace db
