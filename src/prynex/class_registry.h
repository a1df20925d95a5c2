#pragma once

// The per-user class registry: one small text file in which in-process
// servers note their classes, as "Key = Value" lines (keys are
// backslash-separated paths). Lines that are not ours, comments and blank
// lines are kept exactly as they stand, so adding and then removing a set of
// keys gives back the file it started from.

#include <QString>

#include <utility>
#include <vector>

namespace prynex {

using RegistryEntries = std::vector<std::pair<QString, QString>>;

// $PRYNEX_CLASS_REGISTRY if set, else classes.reg in the "prynex" folder of
// the user's configuration folder ($XDG_CONFIG_HOME or ~/.config).
QString classRegistryPath();

class ClassRegistry
{
public:
    explicit ClassRegistry(QString path);

    // False when the file exists but cannot be read.
    bool load();
    // Writes the file (removes it when nothing is left in it); false on failure.
    bool save() const;

    // Adds or replaces each key, in the given order.
    void set(const RegistryEntries &entries);
    // Removes each of these keys; other keys stay.
    void remove(const RegistryEntries &entries);
    QString value(const QString &key) const;
    bool contains(const QString &key) const;

private:
    struct Line {
        QString text;  // as read, for lines that are not entries
        QString key;   // empty for comments and blank lines
        QString value;
    };
    QString m_path;
    std::vector<Line> m_lines;
};

// The entries this library writes: type library, control class, interfaces
// and property-page classes, with the library's file as the server.
RegistryEntries prynexRegistryEntries(const QString &libraryFile);

}  // namespace prynex
