#pragma once

// The protocol every property page of the control follows: the host tells
// the page which controls are selected and the page fills its fields from
// the first; Apply writes the fields into the first selected control only,
// in the page's order, and stops at the first value the control refuses
// (what was written before it stays written). Any edit sets the changed
// flag, which a host uses to enable its Apply button.

#include "prynex/live_objects.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <utility>
#include <vector>

class Prynex;
class QCheckBox;
class QLineEdit;

namespace prynex {

class PropertyPage : public QWidget
{
    Q_OBJECT
public:
    QString caption() const { return windowTitle(); }

    // Selection changed: fills the fields from the first control.
    void setSelectedControls(const QList<Prynex *> &controls);
    QList<Prynex *> selectedControls() const;

    // Apply changes. False, with the name of the property that refused its
    // value in *failedProperty, when a field does not convert.
    bool applyChanges(QString *failedProperty = nullptr);

    bool isChanged() const { return m_changed; }
    // The properties this page edits, in the order they are applied.
    QStringList propertyNames() const;

signals:
    void changedStateChanged(bool changed);

protected:
    PropertyPage(const QString &caption, QWidget *parent);

    // Fields in the order they are filled and applied.
    struct Field {
        QString property;
        QWidget *editor;  // a QLineEdit or a QCheckBox
    };
    void setFields(std::vector<Field> order) { m_fields = std::move(order); }

    // Pages with editors of another kind (fonts, colours) fill themselves
    // and say what to apply; the default runs the fields.
    using Values = std::vector<std::pair<QString, QVariant>>;
    virtual void fill(const Prynex &control);
    virtual Values valuesToApply() const;
    // Called by such pages when the user edits something.
    void setChanged(bool changed);

    QLineEdit *addTextField(const QString &name, const QString &labelName, const QString &labelText);
    QCheckBox *addCheckField(const QString &name, const QString &caption);

private:
    std::vector<Field> m_fields;
    QList<QPointer<Prynex>> m_selected;
    bool m_changed = false;
    bool m_filling = false;
    LiveObject m_alive;
};

}  // namespace prynex
