#include "prynex/pages/property_page.h"

#include "prynex/prynex.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace prynex {

PropertyPage::PropertyPage(const QString &caption, QWidget *parent) : QWidget(parent)
{
    setWindowTitle(caption);
}

QLineEdit *PropertyPage::addTextField(const QString &name, const QString &labelName, const QString &labelText)
{
    auto *label = new QLabel(labelText, this);
    label->setObjectName(labelName);
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    label->setBuddy(edit);
    connect(edit, &QLineEdit::textChanged, this, [this] { setChanged(true); });
    return edit;
}

QCheckBox *PropertyPage::addCheckField(const QString &name, const QString &caption)
{
    auto *check = new QCheckBox(caption, this);
    check->setObjectName(name);
    connect(check, &QCheckBox::clicked, this, [this] { setChanged(true); });
    return check;
}

void PropertyPage::setSelectedControls(const QList<Prynex *> &controls)
{
    m_selected.clear();
    for (Prynex *control : controls)
        m_selected.append(control);
    if (controls.isEmpty() || !controls.first())
        return;
    {
        QScopedValueRollback filling(m_filling, true);
        fill(*controls.first());
    }
    setChanged(false);
}

void PropertyPage::fill(const Prynex &control)
{
    for (const Field &field : m_fields) {
        const QVariant value = control.propertyByName(field.property);
        if (auto *edit = qobject_cast<QLineEdit *>(field.editor))
            edit->setText(value.toString());
        else if (auto *check = qobject_cast<QCheckBox *>(field.editor))
            check->setChecked(value.toBool());
    }
}

PropertyPage::Values PropertyPage::valuesToApply() const
{
    Values values;
    for (const Field &field : m_fields) {
        if (auto *edit = qobject_cast<QLineEdit *>(field.editor))
            values.emplace_back(field.property, edit->text());  // the property converts the text itself
        else if (auto *check = qobject_cast<QCheckBox *>(field.editor))
            values.emplace_back(field.property, check->isChecked());
    }
    return values;
}

QStringList PropertyPage::propertyNames() const
{
    QStringList names;
    for (const auto &[name, value] : valuesToApply())
        names.append(name);
    return names;
}

QList<Prynex *> PropertyPage::selectedControls() const
{
    QList<Prynex *> controls;
    for (const auto &control : m_selected)
        if (control)
            controls.append(control);
    return controls;
}

bool PropertyPage::applyChanges(QString *failedProperty)
{
    if (m_selected.isEmpty() || !m_selected.first())
        return true;
    Prynex &first = *m_selected.first();
    for (const auto &[name, value] : valuesToApply()) {
        if (!first.setPropertyByName(name, value)) {
            if (failedProperty)
                *failedProperty = name;
            return false;
        }
    }
    setChanged(false);
    return true;
}

void PropertyPage::setChanged(bool changed)
{
    if (m_filling)
        return;
    if (m_changed != changed) {
        m_changed = changed;
        emit changedStateChanged(changed);
    }
}

}  // namespace prynex
