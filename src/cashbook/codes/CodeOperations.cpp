#include "CodeOperations.h"

#include "CodeQueries.h"
#include "groups/GroupQueries.h"
#include "platform/db/Database.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/GreekFormats.h"

namespace codes {
namespace {

const QString Attention = QStringLiteral("Προσοχή");
constexpr qint64 MaxCode = 2147483647; // kvdikos is a 32-bit number

// The fields as they are stored.
struct CleanInput
{
    qint64 kvdikos = 0;
    QString description;
};

// Code and description are both required; the number must be a whole number
// (the code box accepts digits only, so this guards other callers).
std::optional<CleanInput> requireCodeAndDescription(const CodeInput &input)
{
    const QString codeText = input.code.trimmed();
    CleanInput clean{0, input.description.trimmed()};
    bool numeric = false;
    clean.kvdikos = codeText.toLongLong(&numeric);
    numeric = numeric && codeText.front().isDigit() && clean.kvdikos <= MaxCode;
    if (clean.description.isEmpty() || !numeric) {
        msg::information(Attention, QStringLiteral("Ο κωδικός και η περιγραφή είναι απαραίτητα στοιχεία"));
        return std::nullopt;
    }
    return clean;
}

// Why another row (not `exceptId`) stands in the way: its number, or its
// description in any letter case and accents. Empty when nothing does.
QString duplicateOf(db::Database &db, const CleanInput &clean, qint64 exceptId)
{
    if (db.scalar(QStringLiteral("SELECT 1 FROM kvdikoi WHERE kvdikos = ?1 AND id <> ?2 LIMIT 1"), clean.kvdikos,
                  exceptId)
            .isValid())
        return QStringLiteral("Ο κωδικός υπάρχει ήδη καταχωρημένος");
    if (db.scalar(QStringLiteral("SELECT 1 FROM kvdikoi WHERE perigrafh = ?1 COLLATE GREEKCI AND id <> ?2 LIMIT 1"),
                  clean.description, exceptId)
            .isValid())
        return QStringLiteral("Η περιγραφή του κωδικού υπάρχει ήδη καταχωρημένη");
    return {};
}

// Shows the refusal, if there is one; true when there was.
bool refused(const QString &why)
{
    if (why.isEmpty())
        return false;
    msg::information(Attention, why);
    return true;
}

// The group the code goes to: none for an empty group box; the group picked
// from the list while its name is still in the box (two groups may share a
// name); otherwise the first group of the typed name.
std::optional<groups::GroupRow> resolveGroup(db::Database &db, const CodeInput &input)
{
    const QString typed = input.groupName.trimmed();
    if (typed.isEmpty())
        return groups::GroupRow{0, QStringLiteral(" ")};
    if (input.selectedGroup != 0) {
        const auto picked = groups::groupById(db, input.selectedGroup);
        if (picked && regional::compareFolded(picked->perigrafh, typed) == 0)
            return picked;
    }
    auto found = groups::findGroupByName(db, typed);
    if (!found)
        msg::critical(Attention, QStringLiteral("Δεν βρέθηκε η ομάδα στη λίστα με τις ομάδες, επιλέξτε  ξανά!"));
    return found;
}

// Movements booked under a number must keep finding their code.
QString renumberingRefusal(db::Database &db, const CodeRow &current, const CleanInput &clean)
{
    if (clean.kvdikos != current.kvdikos && codeInUse(db, current.kvdikos))
        return QStringLiteral("Ο κωδικός χρησιμοποιείται στις κινήσεις του ταμείου και δεν μπορεί να αλλάξει αριθμό !");
    return {};
}

const QString InUseText =
    QStringLiteral("Ο κωδικός χρεισιμοποιήτε στις κινήσεις του ταμείου και δεν μπορεί να διαγραφεί !");

} // namespace

// The checks run once before anything is asked or written, and once more
// inside the write transaction: another workstation may add a code meanwhile
// (inserting needs no in-use marker). Messages are shown outside the
// transaction so no other workstation waits on an open box.

std::optional<SavedCode> insertCode(db::Database &db, const CodeInput &input)
{
    const auto clean = requireCodeAndDescription(input);
    if (!clean || refused(duplicateOf(db, *clean, 0)))
        return std::nullopt;
    const auto group = resolveGroup(db, input);
    if (!group)
        return std::nullopt;

    QString lateRefusal;
    {
        db::Transaction t(db);
        lateRefusal = duplicateOf(db, *clean, 0);
        if (lateRefusal.isEmpty()) {
            db.execute(QStringLiteral("INSERT INTO kvdikoi (kvdikos, perigrafh, omada, aa_omadas, lista, esodo, energos) "
                                      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
                       clean->kvdikos, clean->description, group->perigrafh, group->aa,
                       makeLista(QString::number(clean->kvdikos), clean->description), input.income, input.active);
            const qint64 id = db.lastInsertId();
            t.commit();
            return SavedCode{id, group->aa, group->perigrafh};
        }
    }
    refused(lateRefusal);
    return std::nullopt;
}

std::optional<SavedCode> changeCode(db::Database &db, qint64 id, const CodeInput &input)
{
    const auto current = codeById(db, id);
    if (!current)
        return std::nullopt;
    const auto clean = requireCodeAndDescription(input);
    if (!clean || refused(duplicateOf(db, *clean, id)))
        return std::nullopt;
    const auto group = resolveGroup(db, input);
    if (!group || refused(renumberingRefusal(db, *current, *clean)))
        return std::nullopt;
    if (!msg::confirmOkCancel(QStringLiteral("Μεταβολή στοιχείων"), QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")))
        return std::nullopt;

    QString lateRefusal;
    {
        // The code and its movements' group number change together, so past
        // movements always follow the code's current group.
        db::Transaction t(db);
        lateRefusal = duplicateOf(db, *clean, id);
        if (lateRefusal.isEmpty())
            lateRefusal = renumberingRefusal(db, *current, *clean);
        if (lateRefusal.isEmpty()) {
            db.execute(QStringLiteral("UPDATE kvdikoi SET kvdikos = ?1, perigrafh = ?2, omada = ?3, aa_omadas = ?4, "
                                      "lista = ?5, esodo = ?6, energos = ?7 WHERE id = ?8"),
                       clean->kvdikos, clean->description, group->perigrafh, group->aa,
                       makeLista(QString::number(clean->kvdikos), clean->description), input.income, input.active, id);
            db.execute(QStringLiteral("UPDATE kinhseis SET aa_omada = ?1 WHERE kvdikos = ?2"), group->aa,
                       clean->kvdikos);
            t.commit();
            return SavedCode{id, group->aa, group->perigrafh};
        }
    }
    refused(lateRefusal);
    return std::nullopt;
}

bool deleteCode(db::Database &db, qint64 id)
{
    const auto current = codeById(db, id);
    if (!current)
        return false;
    if (codeInUse(db, current->kvdikos)) {
        msg::information(Attention, InUseText);
        return false;
    }
    if (!msg::confirmOkCancel(QStringLiteral("Διαγραφή κωδικού"), QStringLiteral("Να γίνει η διαγραφή του κωδικού;")))
        return false;

    int deleted = 0;
    {
        // A movement booked meanwhile from another workstation keeps its code.
        db::Transaction t(db);
        deleted = db.execute(QStringLiteral("DELETE FROM kvdikoi WHERE id = ?1 AND NOT EXISTS "
                                            "(SELECT 1 FROM kinhseis WHERE kvdikos = ?2)"),
                             id, current->kvdikos);
        t.commit();
    }
    if (deleted == 0)
        msg::information(Attention, InUseText);
    return deleted > 0;
}

} // namespace codes
