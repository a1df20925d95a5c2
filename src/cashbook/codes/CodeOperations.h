#pragma once

#include <QString>
#include <optional>

namespace db { class Database; }

// Creating, changing and deleting transaction codes. Each operation shows its
// own messages (through msg::) and returns what it wrote; a refused operation
// writes nothing.
namespace codes {

// What the code details frame holds when a button is pressed.
struct CodeInput
{
    QString code;            // Text1(4)
    QString description;     // Text1(5)
    QString groupName;       // Text1(6)
    qint64 selectedGroup = 0; // the group last picked for this code (0 = none)
    bool income = false;     // "Είναι έσοδο;"
    bool active = true;      // "Eνεργός"
};

// A code as written: its row and the group it was attached to.
struct SavedCode
{
    qint64 id = 0;
    qint64 groupAa = 0;
    QString groupName;
};

// Checks, in this order: code and description given; number not taken;
// description not taken (letter case and accents ignored, active or not);
// a typed group name exists. Then adds the row.
std::optional<SavedCode> insertCode(db::Database &db, const CodeInput &input);

// Changes the code of row `id` after a confirmation, and moves every movement
// of the code to the code's group. Refuses what would break the codes: a
// missing code or description, a number or description another code has, an
// unknown group, and a new number for a code that movements are booked under
// (they would lose their code).
std::optional<SavedCode> changeCode(db::Database &db, qint64 id, const CodeInput &input);

// Deletes the code of row `id` after a confirmation; a code booked in any
// movement is refused (it can only be made inactive).
bool deleteCode(db::Database &db, qint64 id);

} // namespace codes
