#pragma once
// TEMPORARY: stands in for the shared report frame until it is merged.

#include "data/AppGlobals.h"
#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"

#include <functional>

namespace reports {

inline constexpr pages::ColorRef BodyShade = pages::rgb(222, 225, 225);

inline void applyPageFrame(pages::Engine &lumo)
{
    lumo.setOrientation(0);
    lumo.setMarginLeft(350);
    lumo.setMarginRight(850);
    lumo.setMarginTop(450);
    lumo.setMarginBottom(850);
    lumo.setFontName(QStringLiteral("Arial greek"));
    lumo.setFontSize(10);
    lumo.setFontBold(false);
    lumo.setHdrFontName(QStringLiteral("arial greek"));
    lumo.setHdrFontSize(13);
    lumo.setPaperSize(9);
    lumo.setFooter(QStringLiteral("Σελίδα %d"));
}

inline QString title(const QString &text) { return text + QStringLiteral("   ") + globals().HeaderCaption; }

inline QString zeroAmount(Money m) { return m.isZero() ? QStringLiteral("0") : regional::formatMoney(m); }
inline QString blankAmount(Money m) { return m.isZero() ? QStringLiteral(" ") : regional::formatMoney(m); }

// Progress: called with the pages laid out so far; false asks to stop.
using Progress = std::function<bool(int pages)>;

class TableWriter
{
public:
    TableWriter(pages::Engine &lumo, QString format, QString header, pages::ColorRef headerShade = 0,
                pages::ColorRef bodyShade = BodyShade)
        : m_lumo(lumo), m_format(std::move(format)), m_header(std::move(header)), m_headerShade(headerShade),
          m_bodyShade(bodyShade)
    {}
    void open(const QString &emptyBody) { m_lumo.AddTable(m_format, m_header, emptyBody, m_headerShade); }
    void row(const QString &cells)
    {
        m_lumo.AddTable(m_format, m_header, cells, m_headerShade, m_shaded ? 0 : m_bodyShade, true);
        m_shaded = !m_shaded;
    }
    void plainRow(const QString &cells) { m_lumo.AddTable(m_format, m_header, cells, 0, 0, true); }

private:
    pages::Engine &m_lumo;
    QString m_format, m_header;
    pages::ColorRef m_headerShade, m_bodyShade;
    bool m_shaded = false;
};

} // namespace reports
