#pragma once

#include <QString>
#include <sys/types.h>

// How wide the files the program makes in a data folder may be opened: never
// wider than the folder's own books, and never to others than the owner and
// the group. A folder shared by the workstations of a group (group-writable,
// usually with the set-group-ID bit) gives the group read and write; a private
// folder keeps everything to its owner. The books carry every user and hash
// under a key that is the same everywhere, so "others" never get a bit.
namespace filemodes {

// The permission bits for a new file in dataFolder: owner read and write; the
// group's read and write as the folder gives them to its group; never more
// than the folder's kelvora.mdb has.
mode_t fileMode(const QString &dataFolder);
// The same for a new folder under dataFolder (search bits where read is
// given; the set-group-ID bit kept when the data folder has it).
mode_t folderMode(const QString &dataFolder);

// Sets a file made in (or put into) dataFolder to fileMode(dataFolder). A
// symbolic link is never followed. False when it could not be done.
bool restrictFile(const QString &path, const QString &dataFolder);
// The same with the bits given (a new installation computes them before its
// books exist, so the books do not measure themselves).
bool setFileMode(const QString &path, mode_t mode);
// Makes one folder under dataFolder with folderMode(dataFolder); an existing
// entry of that name is never used. False when it could not be done.
bool makeFolder(const QString &path, const QString &dataFolder);

// True when path is itself a symbolic link (a dangling one included).
bool isSymLink(const QString &path);
// True when path is a real folder: a folder, not a link to one.
bool isRealFolder(const QString &path);

} // namespace filemodes
