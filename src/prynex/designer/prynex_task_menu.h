#pragma once

// The control's context menu in Qt Designer: "Properties..." opens the
// property sheet, "About..." the About box. What the sheet changes goes
// into the form through Designer's cursor, so it is saved and can be undone.

#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class Prynex;
class QAction;

namespace prynex {

class PrynexTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)
public:
    PrynexTaskMenu(Prynex *control, QObject *parent);

    QAction *preferredEditAction() const override;
    QList<QAction *> taskActions() const override;

private:
    void editProperties();

    Prynex *m_control;
    QAction *m_properties;
    QAction *m_about;
};

class PrynexTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT
public:
    explicit PrynexTaskMenuFactory(QExtensionManager *parent = nullptr);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};

}  // namespace prynex
