#include "FileNames.h"

#include "platform/desktop/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace reports {

namespace {

const QString Section = QStringLiteral("Ektypvsh");
const QString FolderKey = QStringLiteral("LastFolder");

bool lettersOnly(const QString &text)
{
    for (const QChar c : text)
        if (!c.isLetter())
            return false;
    return !text.isEmpty();
}

} // namespace

QString fileExtension(FileKind kind)
{
    switch (kind) {
    case FileKind::Pdf: return QStringLiteral(".pdf");
    case FileKind::Csv: return QStringLiteral(".csv");
    case FileKind::Xlsx: return QStringLiteral(".xlsx");
    }
    return {};
}

QString withExtension(const QString &fileName, FileKind kind)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (fileName.isEmpty() || lettersOnly(suffix))
        return fileName;
    return fileName + fileExtension(kind);
}

QString lastSaveFolder()
{
    const QString folder = settings::read(Section, FolderKey);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

bool rememberFolder(const QString &savedFile)
{
    return settings::write(Section, FolderKey, QFileInfo(savedFile).absolutePath());
}

} // namespace reports
