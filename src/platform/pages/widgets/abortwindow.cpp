#include "platform/pages/widgets/abortwindow.h"

#include "platform/pages/engine.h"

#include <QApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QScreen>

namespace pages {

namespace {

QString fillIn(QString text, const QStringList &values)
{
    for (const QString &value : values) {
        const qsizetype at = text.indexOf(QStringLiteral("%s"));
        if (at < 0)
            break;
        text.replace(at, 2, value);
    }
    return text;
}

}  // namespace

void installAbortWindow(Engine &engine)
{
    auto window = std::make_shared<QPointer<QProgressDialog>>();
    engine.setPrintProgress([window](Engine &e, int page, int of) {
        if (!e.AbortWindow())
            return true;
        QPointer<QProgressDialog> &dialog = *window;
        if (page == 1 || !dialog) {
            delete dialog.data();
            dialog = new QProgressDialog(QApplication::activeWindow());
            dialog->setWindowTitle(e.AbortCaption());
            dialog->setCancelButtonText(e.AbortTextButton());
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            dialog->setRange(0, of);
            dialog->show();
            if (e.AbortWindowPos() == 0 && dialog->screen()) {
                const QRect area = dialog->screen()->availableGeometry();
                dialog->move(area.center() - dialog->rect().center());
            }
        }
        if (dialog->wasCanceled()) {
            dialog->deleteLater();
            return false;
        }
        const QString pageText = QString(e.AbortTextPage()).replace(QStringLiteral("%d"), QString::number(page));
        dialog->setLabelText(pageText + QLatin1Char(' ') + QString::number(of) + QLatin1Char('\n')
                             + fillIn(e.AbortTextDevice(), {e.Device(), e.Port()}));
        dialog->setValue(page - 1);
        QApplication::processEvents();
        if (dialog->wasCanceled()) {
            dialog->deleteLater();
            return false;
        }
        if (page == of)
            dialog->deleteLater();  // goes once the last page is out and events run
        return true;
    });
}

}  // namespace pages
