#include "platform/pages/document.h"

namespace pages {

QStringList Page::texts() const
{
    QStringList out;
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text)
            out.append(item.text);
    }
    return out;
}

QStringList Page::texts(ItemRole role) const
{
    QStringList out;
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text && item.role == role)
            out.append(item.text);
    }
    return out;
}

const PageItem *Page::findText(const QString &text) const
{
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

const PageItem *Page::findTextContaining(const QString &part) const
{
    for (const PageItem &item : items) {
        if (item.kind == ItemKind::Text && item.text.contains(part))
            return &item;
    }
    return nullptr;
}

std::vector<const PageItem *> Page::itemsWithRole(ItemRole role) const
{
    std::vector<const PageItem *> out;
    for (const PageItem &item : items) {
        if (item.role == role)
            out.push_back(&item);
    }
    return out;
}

const Page *Document::page(int number) const
{
    if (number < 1 || number > pageCount())
        return nullptr;
    return &pages[size_t(number - 1)];
}

}  // namespace pages
