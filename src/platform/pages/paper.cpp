#include "platform/pages/paper.h"

#include <cmath>

namespace pages {

namespace {

struct Paper {
    int id;
    QPageSize::PageSizeId size;
};

constexpr Paper papers[] = {
    {1, QPageSize::Letter},       {2, QPageSize::Letter},     {3, QPageSize::Tabloid},
    {4, QPageSize::Ledger},       {5, QPageSize::Legal},      {6, QPageSize::Statement},
    {7, QPageSize::Executive},    {8, QPageSize::A3},         {9, QPageSize::A4},
    {10, QPageSize::A4},          {11, QPageSize::A5},        {12, QPageSize::JisB4},
    {13, QPageSize::JisB5},       {14, QPageSize::Folio},     {15, QPageSize::Quarto},
    {16, QPageSize::Imperial10x14}, {17, QPageSize::Tabloid}, {18, QPageSize::Note},
    {19, QPageSize::Envelope9},   {20, QPageSize::Envelope10}, {21, QPageSize::Envelope11},
    {22, QPageSize::Envelope12},  {23, QPageSize::Envelope14}, {27, QPageSize::EnvelopeDL},
    {28, QPageSize::EnvelopeC5},  {29, QPageSize::EnvelopeC3}, {30, QPageSize::EnvelopeC4},
    {31, QPageSize::EnvelopeC6},  {33, QPageSize::EnvelopeB4}, {34, QPageSize::EnvelopeB5},
    {35, QPageSize::EnvelopeB6},  {37, QPageSize::EnvelopeMonarch}, {38, QPageSize::EnvelopePersonal},
    {66, QPageSize::A2},          {70, QPageSize::A6},
};

}  // namespace

std::optional<QPageSize::PageSizeId> paperPageSizeId(int paperId)
{
    for (const Paper &p : papers) {
        if (p.id == paperId)
            return p.size;
    }
    return std::nullopt;
}

std::optional<QSize> paperTwips(int paperId)
{
    const auto id = paperPageSizeId(paperId);
    if (!id)
        return std::nullopt;
    // From the size's own definition: converting through Qt's other units
    // rounds to two decimals and A4 would lose a few twips.
    const QSizeF size = QPageSize::definitionSize(*id);
    double perUnit = 20.0;  // points
    switch (QPageSize::definitionUnits(*id)) {
    case QPageSize::Millimeter: perUnit = 1440.0 / 25.4; break;
    case QPageSize::Inch: perUnit = 1440.0; break;
    case QPageSize::Cicero: perUnit = 20.0 * 12.0 * 0.376065 / 0.3527777; break;
    case QPageSize::Didot: perUnit = 20.0 * 0.376065 / 0.3527777; break;
    case QPageSize::Pica: perUnit = 240.0; break;
    default: break;
    }
    return QSize(int(std::lround(size.width() * perUnit)), int(std::lround(size.height() * perUnit)));
}

int paperIdOf(QPageSize::PageSizeId id)
{
    for (const Paper &p : papers) {
        if (p.size == id)
            return p.id;
    }
    return CustomPaper;
}

}  // namespace pages
