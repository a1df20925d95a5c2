#include "platform/pages/document.h"
#include "platform/pages/pagecodec.h"

#include <algorithm>

namespace pages {

PageList::PageList(const PageList &other) { *this = other; }

PageList &PageList::operator=(const PageList &other)
{
    if (this == &other)
        return *this;
    m_slots.clear();
    m_recent.clear();
    m_slots.reserve(other.m_slots.size());
    for (const Slot &s : other.m_slots) {
        Slot copy;
        copy.packed = s.packed;
        if (s.packed.isEmpty() && s.page)
            copy.page = std::make_unique<Page>(*s.page);
        m_slots.push_back(std::move(copy));
    }
    return *this;
}

void PageList::pack(Slot &slot) const
{
    if (slot.packed.isEmpty() && slot.page)
        slot.packed = packPage(*slot.page);
    slot.page.reset();
}

const Page &PageList::operator[](size_t i) const
{
    Slot &slot = m_slots[i];
    if (!slot.page) {
        slot.page = std::make_unique<Page>(unpackPage(slot.packed));
        m_recent.push_back(i);
        while (m_recent.size() > CachedPages) {
            const size_t oldest = m_recent.front();
            m_recent.pop_front();
            if (oldest != i && !m_slots[oldest].packed.isEmpty())
                m_slots[oldest].page.reset();
        }
    }
    return *slot.page;
}

Page &PageList::last()
{
    Slot &slot = m_slots.back();
    if (!slot.page)
        slot.page = std::make_unique<Page>(unpackPage(slot.packed));
    // Written to again: the packed form no longer matches.
    slot.packed.clear();
    m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), m_slots.size() - 1), m_recent.end());
    return *slot.page;
}

void PageList::push_back(Page page)
{
    if (m_slots.size() >= KeptWhole) {
        // The long document's earlier pages are packed once: from here on only
        // the page just finished still needs it.
        for (size_t i = m_slots.size(); i-- > 0;) {
            if (!m_slots[i].packed.isEmpty())
                break;
            pack(m_slots[i]);
        }
    }
    Slot slot;
    slot.page = std::make_unique<Page>(std::move(page));
    m_slots.push_back(std::move(slot));
}

void PageList::clear()
{
    m_slots.clear();
    m_recent.clear();
}

qint64 PageList::packedBytes() const
{
    qint64 bytes = 0;
    for (const Slot &s : m_slots)
        bytes += s.packed.isEmpty() && s.page ? qint64(s.page->items.size() * sizeof(PageItem)) : s.packed.capacity();
    return bytes;
}

bool operator==(const PageList &a, const PageList &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        // Copies: comparing two packed pages may unpack both into one cache.
        const Page left = a[i];
        if (!(left == b[i]))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------- tables

namespace {

constexpr QChar RowJoin = QChar(0x1e);

}  // namespace

void TableContent::addRow(const QStringList &cells)
{
    m_open.append(cells.join(CellJoin));
    if (m_open.size() < RowsPerBlock)
        return;
    const QString joined = m_open.join(RowJoin);
    QByteArray packed = qCompress(reinterpret_cast<const uchar *>(joined.constData()),
                                  int(joined.size() * qsizetype(sizeof(QChar))), 1);
    packed.squeeze();  // qCompress leaves the uncompressed size allocated
    m_blocks.push_back(std::move(packed));
    m_packedRows += m_open.size();
    m_open.clear();
}

QStringList TableContent::block(qsizetype b) const
{
    if (b != m_readBlock) {
        const QByteArray bytes = qUncompress(m_blocks[size_t(b)]);
        const QString joined(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / qsizetype(sizeof(QChar)));
        m_read = joined.split(RowJoin);
        m_readBlock = b;
    }
    return m_read;
}

QStringList TableContent::row(qsizetype i) const
{
    if (i >= m_packedRows)
        return m_open.at(i - m_packedRows).split(CellJoin);
    return block(i / RowsPerBlock).at(i % RowsPerBlock).split(CellJoin);
}

bool operator==(const TableContent &a, const TableContent &b)
{
    if (a.heading != b.heading || a.rowCount() != b.rowCount())
        return false;
    for (qsizetype i = 0; i < a.rowCount(); ++i)
        if (a.row(i) != b.row(i))
            return false;
    return true;
}

}  // namespace pages
