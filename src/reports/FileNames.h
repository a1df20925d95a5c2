#pragma once

#include <QString>

// The names of the files a report is saved in.
namespace reports {

enum class FileKind { Pdf, Csv, Xlsx };

// ".pdf", ".csv", ".xlsx".
QString fileExtension(FileKind kind);

// The name as typed, with the kind's extension added when it has none (a
// dot followed by letters only counts as one: "ταμείο 01.03" gets ".pdf").
QString withExtension(const QString &fileName, FileKind kind);

// The folder of the last file saved, kept for the next save; the home folder
// before the first. rememberFolder() returns false when the settings store
// could not keep it (the next dialog then opens in the old folder).
QString lastSaveFolder();
bool rememberFolder(const QString &savedFile);

} // namespace reports
