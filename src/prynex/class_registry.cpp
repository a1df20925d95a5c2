#include "prynex/class_registry.h"

#include "prynex/prynex_server.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace prynex {

QString classRegistryPath()
{
    const QString overridden = qEnvironmentVariable("PRYNEX_CLASS_REGISTRY");
    if (!overridden.isEmpty())
        return overridden;
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + u"/.config"_s;
    return config + u"/prynex/classes.reg"_s;
}

ClassRegistry::ClassRegistry(QString path) : m_path(std::move(path)) {}

bool ClassRegistry::load()
{
    m_lines.clear();
    QFile file(m_path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QString text;
    while (in.readLineInto(&text)) {
        Line line{text, {}, {}};
        const QString trimmed = text.trimmed();
        const qsizetype equals = text.indexOf(u" = ");
        if (!trimmed.isEmpty() && !trimmed.startsWith(u'#') && equals > 0) {
            line.key = text.left(equals).trimmed();
            line.value = text.mid(equals + 3);
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

bool ClassRegistry::save() const
{
    if (m_lines.empty())
        return !QFile::exists(m_path) || QFile::remove(m_path);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    for (const Line &line : m_lines)
        out << (line.key.isEmpty() ? line.text : line.key + u" = "_s + line.value) << '\n';
    out.flush();
    return file.commit();
}

void ClassRegistry::set(const RegistryEntries &entries)
{
    for (const auto &[key, value] : entries) {
        auto found = std::find_if(m_lines.begin(), m_lines.end(),
                                  [&](const Line &line) { return line.key.compare(key, Qt::CaseInsensitive) == 0; });
        if (found != m_lines.end())
            found->value = value;
        else
            m_lines.push_back(Line{{}, key, value});
    }
}

void ClassRegistry::remove(const RegistryEntries &entries)
{
    std::erase_if(m_lines, [&](const Line &line) {
        return !line.key.isEmpty() && std::any_of(entries.begin(), entries.end(), [&](const auto &entry) {
            return line.key.compare(entry.first, Qt::CaseInsensitive) == 0;
        });
    });
}

QString ClassRegistry::value(const QString &key) const
{
    for (const Line &line : m_lines)
        if (line.key.compare(key, Qt::CaseInsensitive) == 0)
            return line.value;
    return {};
}

bool ClassRegistry::contains(const QString &key) const
{
    return std::any_of(m_lines.begin(), m_lines.end(),
                       [&](const Line &line) { return line.key.compare(key, Qt::CaseInsensitive) == 0; });
}

RegistryEntries prynexRegistryEntries(const QString &libraryFile)
{
    const QString lib = QString::fromLatin1(PRYNEX_LIBID);
    const QString typeLib = u"TypeLib\\"_s + lib + u"\\1.0"_s;
    RegistryEntries entries = {
        {typeLib, u"Prynex Control"_s},
        {typeLib + u"\\Name"_s, u"PrynexLib"_s},
        {typeLib + u"\\HelpFile"_s, u"Prynex.hlp"_s},
        {typeLib + u"\\0\\linux"_s, libraryFile},
        {typeLib + u"\\FLAGS"_s, u"0"_s},
    };
    auto addClass = [&](const char *clsid, const QString &name, bool control) {
        const QString key = u"CLSID\\"_s + QString::fromLatin1(clsid);
        entries.push_back({key, name});
        entries.push_back({key + u"\\InprocServer"_s, libraryFile});
        entries.push_back({key + u"\\ProgID"_s, u"PrynexLib."_s + name});
        entries.push_back({key + u"\\TypeLib"_s, lib});
        entries.push_back({key + u"\\Version"_s, u"1.0"_s});
        if (control)
            entries.push_back({key + u"\\Control"_s, u"1"_s});
        entries.push_back({u"PrynexLib."_s + name + u"\\CLSID"_s, QString::fromLatin1(clsid)});
    };
    addClass(PRYNEX_CLSID_PRYNEX, u"Prynex"_s, true);
    addClass(PRYNEX_CLSID_LAYOUT, u"LayOut"_s, false);
    addClass(PRYNEX_CLSID_GENERAL, u"General"_s, false);
    auto addInterface = [&](const char *iid, const QString &name) {
        const QString key = u"Interface\\"_s + QString::fromLatin1(iid);
        entries.push_back({key, name});
        entries.push_back({key + u"\\TypeLib"_s, lib});
    };
    addInterface(PRYNEX_IID_PRYNEX, u"_Prynex"_s);
    addInterface(PRYNEX_IID_PRYNEX_EVENTS, u"__Prynex"_s);
    addInterface(PRYNEX_IID_LAYOUT, u"_LayOut"_s);
    addInterface(PRYNEX_IID_GENERAL, u"_General"_s);
    return entries;
}

}  // namespace prynex
