// Kelvora: the cash book of a cash desk.

#include "Program.h"
#include "platform/desktop/SingleInstance.h"
#include "platform/desktop/widgets/MessageBoxPresenter.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvora"));
    QApplication::setOrganizationName(QStringLiteral("Kelvora"));

    // A second copy ends without a word.
    const SingleInstance instance(QStringLiteral("kelvora"));
    if (!instance.isFirst())
        return 0;

    msg::installMessageBoxPresenter();
    Program program(QApplication::applicationDirPath());
    if (!program.start())
        return 0;
    return QApplication::exec();
}
