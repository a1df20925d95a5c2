#pragma once

#include <QString>

// The per-user settings store of the program (application "Kelvora"). Section
// and key names are compared without regard to letter case: a value written
// under "AnalyshFRM"/"Omada1" is read back under "AnaLyshFRM"/"omada1".
// All values are text.
namespace settings {

QString read(const QString &section, const QString &key, const QString &defaultValue = QString());
// Both are on disk when they return true; false when the file could not be
// written (the caller must not take the value as kept).
[[nodiscard]] bool write(const QString &section, const QString &key, const QString &value);
[[nodiscard]] bool remove(const QString &section, const QString &key);

// Points the store at another INI file (tests use a file in a temporary folder).
void useFile(const QString &iniPath);

} // namespace settings
