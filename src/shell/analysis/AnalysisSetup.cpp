#include "AnalysisSetup.h"

#include "platform/desktop/Settings.h"

namespace analysis {
namespace {

// Two sections, with the spelling stored settings rely on.
const QString CaptionSection = QStringLiteral("AnalyshFRM");
const QString SlotSection = QStringLiteral("AnakyshFRM");

QString captionKey(int group) { return QStringLiteral("Omada%1").arg(group + 1); }
QString slotKey(int slot) { return QStringLiteral("Kvd%1").arg(slot); }
QString defaultCaption(int group) { return QStringLiteral("Ομαδα %1").arg(group + 1); }

} // namespace

std::optional<int> AnalysisSetup::slotCode(int slot) const
{
    if (slot < 0 || slot >= SlotCount || slotTexts[size_t(slot)].isEmpty())
        return std::nullopt;
    bool ok = false;
    const int code = slotTags[size_t(slot)].trimmed().toInt(&ok);
    return ok ? std::optional<int>(code) : std::nullopt;
}

AnalysisSetup AnalysisSetup::defaults()
{
    AnalysisSetup setup;
    for (int g = 0; g < GroupCount; ++g)
        setup.captions[size_t(g)] = defaultCaption(g);
    return setup;
}

QString tagOfSlotText(const QString &text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

AnalysisSetup loadAnalysisSetup()
{
    AnalysisSetup setup;
    for (int g = 0; g < GroupCount; ++g)
        setup.captions[size_t(g)] = settings::read(CaptionSection, captionKey(g), defaultCaption(g));
    for (int i = 0; i < SlotCount; ++i) {
        setup.slotTexts[size_t(i)] = settings::read(SlotSection, slotKey(i));
        setup.slotTags[size_t(i)] = tagOfSlotText(setup.slotTexts[size_t(i)]);
    }
    return setup;
}

bool saveAnalysisSetup(const AnalysisSetup &setup)
{
    bool all = true;
    for (int g = 0; g < GroupCount; ++g)
        all = settings::write(CaptionSection, captionKey(g), setup.captions[size_t(g)]) && all;
    for (int i = 0; i < SlotCount; ++i)
        all = settings::write(SlotSection, slotKey(i), setup.slotTexts[size_t(i)]) && all;
    return all;
}

} // namespace analysis
