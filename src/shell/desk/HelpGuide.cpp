#include "HelpGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QWidget>

namespace help {

QStringList guidePlaces()
{
    const QString bin = QCoreApplication::applicationDirPath();
    return {QDir::cleanPath(bin + QStringLiteral("/../share/kelvora/guide/USER_GUIDE.md")),
            QStringLiteral(KELVORA_SOURCE_DIR "/docs/USER_GUIDE.md")};
}

QString guidePath()
{
    for (const QString &place : guidePlaces())
        if (QFileInfo(place).isReadable())
            return place;
    return QString();
}

QString sectionFor(const QWidget *window)
{
    if (!window)
        return QString();
    const QVariant own = window->property("helpSection");
    if (own.isValid())
        return own.toString();
    static const QHash<QString, QString> byWindow = {
        {QStringLiteral("Login"), QStringLiteral("Είσοδος")},
        {QStringLiteral("NewDataFolderDialog"), QStringLiteral("Πρώτη εκκίνηση")},
        {QStringLiteral("FR_ErvthshUpdate"), QStringLiteral("Πρώτη εκκίνηση")},
        {QStringLiteral("OmadaKvdikvn"), QStringLiteral("Κωδικοί και ομάδες")},
        {QStringLiteral("EpiloghOmadvn"), QStringLiteral("Εκτυπώσεις")},
        {QStringLiteral("Ervthsh"), QStringLiteral("Εκτυπώσεις")},
        {QStringLiteral("FormaTajinomhshs"), QStringLiteral("Εκτυπώσεις")},
        {QStringLiteral("AnalyshFRM"), QStringLiteral("Εκτυπώσεις")},
        {QStringLiteral("Ektypvsh"), QStringLiteral("Εκτυπώσεις")},
        {QStringLiteral("ChangeLogDialog"), QStringLiteral("Διαχείριση")},
    };
    return byWindow.value(window->objectName());
}

} // namespace help
