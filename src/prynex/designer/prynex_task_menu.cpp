#include "prynex/designer/prynex_task_menu.h"

#include <prynex/prynex.h>

#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QAction>
#include <QMetaProperty>
#include <QSet>

using namespace Qt::StringLiterals;

namespace prynex {

PrynexTaskMenu::PrynexTaskMenu(Prynex *control, QObject *parent)
    : QObject(parent), m_control(control), m_properties(new QAction(u"Properties..."_s, this)),
      m_about(new QAction(u"About..."_s, this))
{
    connect(m_properties, &QAction::triggered, this, &PrynexTaskMenu::editProperties);
    connect(m_about, &QAction::triggered, this, [this] { m_control->AboutBox(); });
}

QAction *PrynexTaskMenu::preferredEditAction() const
{
    return m_properties;
}

QList<QAction *> PrynexTaskMenu::taskActions() const
{
    return {m_properties, m_about};
}

void PrynexTaskMenu::editProperties()
{
    QSet<QString> changed;
    const auto watch = connect(m_control, &Prynex::propertyChanged, this,
                               [&changed](const QString &name) { changed.insert(name); });
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(m_control);
    m_control->ShowPropertyPages(QString(), form);
    disconnect(watch);
    if (!form)
        return;
    // Designer keeps the form's values itself: hand it the new ones.
    const QMetaObject *meta = m_control->metaObject();
    for (const QString &name : changed) {
        const int index = meta->indexOfProperty(name.toLatin1().constData());
        if (index >= 0 && meta->property(index).isDesignable())
            form->cursor()->setWidgetProperty(m_control, name, meta->property(index).read(m_control));
    }
}

PrynexTaskMenuFactory::PrynexTaskMenuFactory(QExtensionManager *parent) : QExtensionFactory(parent) {}

QObject *PrynexTaskMenuFactory::createExtension(QObject *object, const QString &iid, QObject *parent) const
{
    if (iid != QLatin1StringView(Q_TYPEID(QDesignerTaskMenuExtension)))
        return nullptr;
    if (auto *control = qobject_cast<Prynex *>(object))
        return new PrynexTaskMenu(control, parent);
    return nullptr;
}

}  // namespace prynex
