#pragma once

#include <QString>
#include <functional>

namespace db {
class Database;
}

// Copies the book of a data folder onto a database server, where no book is
// yet: both files into the two schemas, in one transaction that commits only
// when both sides agree on every table's row count, every day's totals, every
// code's sums and the whole balance chain. Otherwise nothing stays on the
// server and the error names the first difference.
namespace bookcopy {

// `beforeCheck` runs on the server book after the rows are in, before the
// comparison (tests use it to spoil one row). Throws db::DbError.
void copyToServer(const QString &folder, const QString &key, const QString &connection,
                  const std::function<void(db::Database &server)> &beforeCheck = {});

} // namespace bookcopy
