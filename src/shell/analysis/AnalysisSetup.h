#pragma once

#include <QString>
#include <array>
#include <optional>

// The set-up of the day cash analysis: four named groups of non-cash codes,
// each followed through one income code and one expense code. Kept in the
// settings store, sections "AnalyshFRM" (captions) and "AnakyshFRM" (slots);
// both names are spelled as stored settings have always had them.
namespace analysis {

constexpr int GroupCount = 4;
constexpr int SlotCount = 8;  // slot i belongs to group i / 2 + 1; even slots income, odd expense

struct AnalysisSetup
{
    std::array<QString, GroupCount> captions;   // SSFrame1(1..4)
    std::array<QString, SlotCount> slotTexts;   // Text1(0..7): "code description"
    std::array<QString, SlotCount> slotTags;    // the code number of each slot, or empty

    // The code of a slot, when its text is not empty and its tag is a number.
    std::optional<int> slotCode(int slot) const;

    static AnalysisSetup defaults();  // "Ομαδα 1" .. "Ομαδα 4", empty slots
};

// The tag of a slot text: its text up to the first blank.
QString tagOfSlotText(const QString &text);

AnalysisSetup loadAnalysisSetup();
// False when the settings store could not keep every value.
[[nodiscard]] bool saveAnalysisSetup(const AnalysisSetup &setup);

} // namespace analysis
