#include "platform/pages/fontmap.h"

#include <QFontDatabase>
#include <QHash>

#include <cmath>

namespace pages {

namespace {

// Script suffixes that the other desktop appended to family names.
const char16_t *const scriptSuffixes[] = {u" greek", u" cyr", u" ce", u" baltic", u" tur"};

QString substitute(const QString &base)
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("microsoft sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("tahoma"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("verdana"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial narrow"), QStringLiteral("Liberation Sans Narrow")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("lucida console"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("ms serif"), QStringLiteral("Liberation Serif")},
    };
    return table.value(base);
}

}  // namespace

QString resolveFamily(const QString &requested)
{
    QString base = requested.trimmed().toLower();
    for (const char16_t *suffix : scriptSuffixes) {
        const QString s = QString::fromUtf16(suffix);
        if (base.endsWith(s)) {
            base.chop(s.size());
            break;
        }
    }
    const QString mapped = substitute(base);
    if (!mapped.isEmpty())
        return mapped;
    static QHash<QString, QString> installed;
    if (installed.isEmpty()) {
        for (const QString &family : QFontDatabase::families())
            installed.insert(family.toLower(), family);
    }
    return installed.value(base, QStringLiteral("Liberation Sans"));
}

QFont layoutFont(const FontSpec &fontSpec)
{
    QFont font(resolveFamily(fontSpec.name));
    font.setPixelSize(std::max(1, int(std::lround(fontSpec.size * 20.0))));
    font.setBold(fontSpec.bold);
    font.setItalic(fontSpec.italic);
    font.setUnderline(fontSpec.underline);
    font.setStrikeOut(fontSpec.strikeout);
    // Unhinted outlines scale linearly, so what is measured in twips is what
    // any device draws.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

double FontCache::Entry::advance(const QString &text) const
{
    double width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= m_charWidths.size() || c.isMark())
            return metrics.horizontalAdvance(text);
        float &known = m_charWidths[u];
        if (known < 0)
            known = float(metrics.horizontalAdvance(c));
        width += known;
    }
    return width;
}

const FontCache::Entry &FontCache::get(const FontSpec &fontSpec)
{
    if (m_last && m_last->fontSpec == fontSpec)
        return *m_last;
    for (const auto &entry : m_entries) {
        if (entry->fontSpec == fontSpec) {
            m_last = entry.get();
            return *m_last;
        }
    }
    QFont font = layoutFont(fontSpec);
    m_entries.push_back(std::make_unique<Entry>(fontSpec, font));
    m_last = m_entries.back().get();
    return *m_last;
}

}  // namespace pages
