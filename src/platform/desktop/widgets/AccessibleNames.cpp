#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWidget>

namespace ui {
namespace {

QString shown(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text.simplified();
}

// The caption label of a picture button: Label2(i) beside Command1(i).
QString captionOf(const QAbstractButton *button)
{
    const QString name = button->objectName();
    if (!name.startsWith(QLatin1String("Command1(")))
        return QString();
    const QString labelName = QStringLiteral("Label2") + name.mid(int(qstrlen("Command1")));
    QWidget *scope = button->window();
    for (QLabel *label : scope->findChildren<QLabel *>(labelName))
        if (label->parentWidget() == button->parentWidget())
            return shown(label->text());
    return QString();
}

QString buddyLabelOf(const QWidget *field)
{
    for (QLabel *label : field->window()->findChildren<QLabel *>())
        if (label->buddy() == field || (field->parentWidget() && label->buddy() == field->parentWidget()))
            return shown(label->text());
    return QString();
}

// The layout that holds the widget directly, searched from its parent's layout down.
QLayout *holdingLayout(QLayout *layout, const QWidget *w, int &index)
{
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == w) {
            index = i;
            return layout;
        }
        if (QLayout *inner = holdingLayout(item->layout(), w, index))
            return inner;
    }
    return nullptr;
}

QString labelText(QLayoutItem *item)
{
    auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
    return label && !label->text().trimmed().isEmpty() ? shown(label->text()) : QString();
}

// The label to the left of the field, or above it.
QString neighbourLabelOf(const QWidget *field)
{
    if (!field->parentWidget())
        return QString();
    int index = -1;
    QLayout *layout = holdingLayout(field->parentWidget()->layout(), field, index);
    if (!layout)
        return QString();
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        if (column > 0)
            if (QString t = labelText(grid->itemAtPosition(row, column - 1)); !t.isEmpty())
                return t;
        if (row > 0)
            return labelText(grid->itemAtPosition(row - 1, column));
        return QString();
    }
    return index > 0 ? labelText(layout->itemAt(index - 1)) : QString();
}

bool isField(const QWidget *w)
{
    // The line edit inside a combo box or spin box is named by its owner.
    if (qobject_cast<const QLineEdit *>(w))
        return !qobject_cast<QComboBox *>(w->parentWidget()) && !qobject_cast<QAbstractSpinBox *>(w->parentWidget());
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractItemView *>(w)
        || qobject_cast<const QAbstractSpinBox *>(w);
}

} // namespace

void NameControlsForAccessibility(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->accessibleName().isEmpty())
            continue;
        QString name;
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            name = shown(button->text());
            if (name.isEmpty())
                name = captionOf(button);
        } else if (isField(w)) {
            name = buddyLabelOf(w);
            if (name.isEmpty())
                name = neighbourLabelOf(w);
        } else {
            continue;
        }
        if (name.isEmpty())
            name = shown(w->toolTip());
        if (!name.isEmpty())
            w->setAccessibleName(name);
    }
}

} // namespace ui
