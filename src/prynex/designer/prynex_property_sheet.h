#pragma once

// Designer's property sheet for the control: Designer's own sheet, with Qt's
// `enabled` and `font` left out of the property editor. The control has its
// own Enabled and Font, which are what a host programs and what is kept in
// the form; showing Qt's beside them would offer two of each.

#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionFactory>

namespace prynex {

class PrynexPropertySheet : public QObject, public QDesignerPropertySheetExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerPropertySheetExtension)
public:
    PrynexPropertySheet(QDesignerPropertySheetExtension *designerSheet, QObject *parent);

    // Qt's properties the control stands in for.
    static bool isQtDuplicate(const QString &name);

    int count() const override;
    int indexOf(const QString &name) const override;
    QString propertyName(int index) const override;
    QString propertyGroup(int index) const override;
    void setPropertyGroup(int index, const QString &group) override;
    bool hasReset(int index) const override;
    bool reset(int index) override;
    bool isVisible(int index) const override;
    void setVisible(int index, bool visible) override;
    bool isAttribute(int index) const override;
    void setAttribute(int index, bool attribute) override;
    QVariant property(int index) const override;
    void setProperty(int index, const QVariant &value) override;
    bool isChanged(int index) const override;
    void setChanged(int index, bool changed) override;
    bool isEnabled(int index) const override;

private:
    QDesignerPropertySheetExtension *m_sheet;  // both live as long as the control
};

// Hands out the sheet above for Prynex; Designer's own factory makes the
// sheet it wraps.
class PrynexPropertySheetFactory : public QExtensionFactory
{
    Q_OBJECT
public:
    explicit PrynexPropertySheetFactory(QExtensionManager *parent);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;

private:
    mutable bool m_asking = false;  // while Designer's factory is asked for its sheet
};

}  // namespace prynex
