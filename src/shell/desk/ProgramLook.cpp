#include "ProgramLook.h"

#include "HelpWindow.h"
#include "platform/desktop/widgets/AccessibleNames.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QTranslator>

namespace desk {
namespace {

// F1 anywhere opens the guide; a window that is shown gets its accessible
// names (windows made by Qt or built late included).
class ProgramWideKeys : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
            auto *w = qobject_cast<QWidget *>(watched);
            if (w && w->isWindow() == false)
                w = w->window();
            if (w && !qobject_cast<HelpWindow *>(w)) {
                HelpWindow::open(w);
                return true;
            }
        } else if (event->type() == QEvent::Show) {
            auto *w = qobject_cast<QWidget *>(watched);
            if (w && w->isWindow())
                ui::NameControlsForAccessibility(w);
        }
        return false;
    }
};

} // namespace

void installProgramIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/kelvora/kelvora-48.png"));
    icon.addFile(QStringLiteral(":/kelvora/kelvora-256.png"));
    QApplication::setWindowIcon(icon);
}

bool installGreekQtTexts()
{
    static QTranslator *greek = nullptr;
    if (greek)
        return true;
    auto *translator = new QTranslator(qApp);
    if (!translator->load(QStringLiteral(":/i18n/qt_el.qm"))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    greek = translator;
    return true;
}

void installHelpKey()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    qApp->installEventFilter(new ProgramWideKeys(qApp));
}

void setUpProgram()
{
    installProgramIcon();
    installGreekQtTexts();
    installHelpKey();
}

} // namespace desk
