#include "WindowRules.h"
#include "WindowPlacement.h"

#include "OneLineText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace ui {
namespace {

class SelectOnFocusFilter : public QObject
{
public:
    explicit SelectOnFocusFilter(QLineEdit *box) : QObject(box), m_box(box) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // After the focus change is done: a mouse press would otherwise place
        // the caret over the selection at once.
        if (watched == m_box && event->type() == QEvent::FocusIn) {
            QLineEdit *box = m_box;
            QTimer::singleShot(0, box, [box] { box->setSelection(0, box->maxLength()); });
        }
        return false;
    }

private:
    QLineEdit *m_box;
};

class EnterAsTabFilter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        // A focused button is pressed by Enter, as users of the old screens expect.
        if (auto *button = qobject_cast<QAbstractButton *>(w); button && !qobject_cast<QCheckBox *>(w)) {
            if (button->isEnabled())
                button->click();
            return true;
        }
        // A control that gives Enter a meaning of its own says so.
        if (w && w->property(ui::OwnEnterProperty).toBool())
            return false;
        if (!w || !(qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractItemView *>(w)
                    || qobject_cast<QCheckBox *>(w)))
            return false;
        // An editable combo box's line edit belongs to the combo: let the combo
        // handle Enter itself (it chooses the typed entry).
        if (qobject_cast<QComboBox *>(w->parentWidget()))
            return false;
        SendKeyPress(Qt::Key_Tab, true);
        return true;
    }
};

QString controlName(const QObject *o)
{
    QString name = o->objectName().toLower();
    const int paren = int(name.indexOf(QLatin1Char('(')));
    return paren >= 0 ? name.left(paren) : name;
}

} // namespace

QString arrayName(const char *array, int element)
{
    return QLatin1String(array) + QLatin1Char('(') + QString::number(element) + QLatin1Char(')');
}

QFont fixedPitchFont(int pointSize)
{
    QFont f(QStringLiteral("Courier New"));
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    return f;
}

void CenterForm(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->move(centredTopLeft(screen->availableGeometry(), window->frameGeometry().size()));
}

QSize ClientSizeForFrame(const QSize &outer, const QMargins &frame)
{
    return QSize(std::max(1, outer.width() - frame.left() - frame.right()),
                 std::max(1, outer.height() - frame.top() - frame.bottom()));
}

void SizeFrame(QWidget *window, const QSize &outer)
{
    const QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    window->resize(ClientSizeForFrame(outer, frame));
}

void SetUpperCase(QLineEdit *box)
{
    SetOneLineUpperCase(box);
}

QColor colourFromVb(qint64 vb, const QWidget *context)
{
    if ((vb & 0x80000000LL) != 0) {
        const QPalette pal = context ? context->palette() : QApplication::palette();
        switch (vb & 0xFF) {
        case 0x0E: return pal.color(QPalette::HighlightedText);
        case 0x0C: return pal.color(QPalette::Dark);
        case 0x05: return pal.color(QPalette::Base);
        case 0x08: return pal.color(QPalette::Text);
        default: return pal.color(QPalette::Button);
        }
    }
    return QColor(int(vb & 0xFF), int((vb >> 8) & 0xFF), int((vb >> 16) & 0xFF));
}

void ApplyColouring(QWidget *window, const QString &nameList, const QColor &theme)
{
    const QString list = nameList.toLower();
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString name = controlName(w);
        if (name.isEmpty())
            continue;
        QPalette pal = w->palette();
        const QColor colour = list.contains(name) ? QColor(Qt::white) : theme;
        const bool isInput = qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractScrollArea *>(w)
            || qobject_cast<QComboBox *>(w);
        pal.setColor(isInput ? QPalette::Base : QPalette::Window, colour);
        if (!isInput)
            pal.setColor(QPalette::Button, colour);
        w->setPalette(pal);
        w->setAutoFillBackground(!isInput);
    }
}

void SelectTextOnFocus(QLineEdit *box)
{
    box->installEventFilter(new SelectOnFocusFilter(box));
}

void InstallEnterAsTab(QWidget *window)
{
    // A page that installs the rule on itself sits inside a window that
    // installs it on everything: each control gets it once.
    static const char *const installed = "kelvoraEnterAsTab";
    auto *filter = new EnterAsTabFilter(window);
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->property(installed).toBool())
            continue;
        w->setProperty(installed, true);
        w->installEventFilter(filter);
    }
}

void SendKeyPress(int qtKey, bool keyDown)
{
    QWidget *target = QApplication::focusWidget();
    if (!target)
        return;
    QKeyEvent ev(keyDown ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QApplication::sendEvent(target, &ev);
}

} // namespace ui
