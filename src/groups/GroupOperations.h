#pragma once

#include <QString>

namespace db { class Database; }

// Creating, renaming and deleting code groups. Each operation shows its own
// messages (through msg::) and returns whether it wrote anything. A group's
// name is copied into the codes of the group (kvdikoi.omada); rename and
// delete keep those copies in step within the same transaction.
namespace groups {

// Adds a group named `typed` without its surrounding blanks. Refused when the
// name is blank or a group of that name (any case or accents) exists.
bool insertGroup(db::Database &db, const QString &typed);

// Renames group `aa` after a confirmation and writes the new name into every
// code of the group. No duplicate check: two groups may end up with one name.
bool renameGroup(db::Database &db, qint64 aa, const QString &typed);

// Deletes group `aa` after a confirmation; its codes become codes without a
// group (omada " ", aa_omadas 0). Movements keep their group number.
bool deleteGroup(db::Database &db, qint64 aa);

} // namespace groups
