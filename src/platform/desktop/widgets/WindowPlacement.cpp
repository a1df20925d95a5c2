#include "WindowPlacement.h"

#include "WindowRules.h"
#include "platform/desktop/Settings.h"

#include <QEvent>
#include <QApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace ui {
namespace {

const QString PlacementSection = QStringLiteral("Windows");

QRect workArea(const QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

class CenterOnShow : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *w = static_cast<QWidget *>(watched);
            CenterForm(w);
            QTimer::singleShot(0, w, [w] { CenterForm(w); });
        }
        return false;
    }
};

class KeepPlacement : public QObject
{
public:
    KeepPlacement(QWidget *window, QString key) : QObject(window), m_key(std::move(key)) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show) {
            if (!restore(w)) {
                CenterForm(w);
                QTimer::singleShot(0, w, [w] { CenterForm(w); });
            }
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            const QRect g = w->geometry();
            // A place that cannot be kept is only not remembered.
            (void)settings::write(PlacementSection, m_key,
                                  QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
        }
        return false;
    }

private:
    bool restore(QWidget *w) const
    {
        const QStringList parts = settings::read(PlacementSection, m_key).split(QLatin1Char(','));
        if (parts.size() != 4)
            return false;
        int v[4];
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            v[i] = parts[i].toInt(&ok);
            if (!ok)
                return false;
        }
        const QRect kept(v[0], v[1], std::max(v[2], w->minimumWidth()), std::max(v[3], w->minimumHeight()));
        if (!workArea(w).contains(kept))
            return false; // another screen now, or a damaged value
        w->setGeometry(kept);
        return true;
    }

    QString m_key;
};

} // namespace

QPoint centredTopLeft(const QRect &area, const QSize &frame)
{
    return QPoint(area.left() + std::max(0, (area.width() - frame.width()) / 2),
                  area.top() + std::max(0, (area.height() - frame.height()) / 2));
}

QWidget *BringProgramToFront()
{
    QWidget *target = QApplication::activeModalWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (target && !target->isVisible() && !target->isMinimized())
        target = nullptr; // a window just hidden may still count as active
    // Otherwise the main window, or the one window shown (the log-in).
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (target)
            break;
        if ((w->isVisible() || w->isMinimized()) && w->isWindow() && !w->parentWidget()
            && qobject_cast<QMainWindow *>(w))
            target = w;
    }
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (target)
            break;
        const Qt::WindowType type = w->windowType();
        if ((w->isVisible() || w->isMinimized()) && !w->parentWidget() && (type == Qt::Window || type == Qt::Dialog))
            target = w;
    }
    if (!target)
        return nullptr;
    if (target->isMinimized())
        target->showNormal();
    target->raise();
    target->activateWindow();
    return target;
}

void CenterWhenShown(QWidget *window)
{
    window->installEventFilter(new CenterOnShow(window));
}

void RememberPlacement(QWidget *window, const QString &key)
{
    window->installEventFilter(new KeepPlacement(window, key));
}

} // namespace ui
