#include "prynex/designer/prynex_property_sheet.h"

#include <prynex/prynex.h>

#include <QScopedValueRollback>
#include <QtDesigner/QExtensionManager>

using namespace Qt::StringLiterals;

namespace prynex {

PrynexPropertySheet::PrynexPropertySheet(QDesignerPropertySheetExtension *designerSheet, QObject *parent)
    : QObject(parent), m_sheet(designerSheet)
{
}

bool PrynexPropertySheet::isQtDuplicate(const QString &name)
{
    return name == u"enabled"_s || name == u"font"_s;
}

int PrynexPropertySheet::count() const { return m_sheet->count(); }
int PrynexPropertySheet::indexOf(const QString &name) const { return m_sheet->indexOf(name); }
QString PrynexPropertySheet::propertyName(int index) const { return m_sheet->propertyName(index); }
QString PrynexPropertySheet::propertyGroup(int index) const { return m_sheet->propertyGroup(index); }
void PrynexPropertySheet::setPropertyGroup(int index, const QString &group) { m_sheet->setPropertyGroup(index, group); }
bool PrynexPropertySheet::hasReset(int index) const { return m_sheet->hasReset(index); }
bool PrynexPropertySheet::reset(int index) { return m_sheet->reset(index); }
void PrynexPropertySheet::setVisible(int index, bool visible) { m_sheet->setVisible(index, visible); }
bool PrynexPropertySheet::isAttribute(int index) const { return m_sheet->isAttribute(index); }
void PrynexPropertySheet::setAttribute(int index, bool attribute) { m_sheet->setAttribute(index, attribute); }
QVariant PrynexPropertySheet::property(int index) const { return m_sheet->property(index); }
void PrynexPropertySheet::setProperty(int index, const QVariant &value) { m_sheet->setProperty(index, value); }
bool PrynexPropertySheet::isChanged(int index) const { return m_sheet->isChanged(index); }
void PrynexPropertySheet::setChanged(int index, bool changed) { m_sheet->setChanged(index, changed); }
bool PrynexPropertySheet::isEnabled(int index) const { return m_sheet->isEnabled(index); }

bool PrynexPropertySheet::isVisible(int index) const
{
    return !isQtDuplicate(m_sheet->propertyName(index)) && m_sheet->isVisible(index);
}

PrynexPropertySheetFactory::PrynexPropertySheetFactory(QExtensionManager *parent) : QExtensionFactory(parent) {}

QObject *PrynexPropertySheetFactory::createExtension(QObject *object, const QString &iid, QObject *parent) const
{
    if (m_asking || iid != QLatin1StringView(Q_TYPEID(QDesignerPropertySheetExtension))
        || !qobject_cast<Prynex *>(object))
        return nullptr;
    // Asked through the manager, this factory answers nothing and the next
    // one, Designer's, makes its sheet.
    QDesignerPropertySheetExtension *designerSheet = nullptr;
    {
        QScopedValueRollback asking(m_asking, true);
        designerSheet = qt_extension<QDesignerPropertySheetExtension *>(extensionManager(), object);
    }
    if (!designerSheet)
        return nullptr;
    return new PrynexPropertySheet(designerSheet, parent);
}

}  // namespace prynex
