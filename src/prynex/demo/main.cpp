// prynex-demo [FORMFILE] [--screenshot PNG]
#include "demo_window.h"

#include <prynex/prynex.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"prynex-demo"_s);

    QString formFile = QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).filePath(u"demo.form"_s);
    QString screenshot;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--screenshot" && i + 1 < args.size())
            screenshot = args[++i];
        else
            formFile = args[i];
    }
    QDir().mkpath(QFileInfo(formFile).absolutePath());

    DemoWindow window(formFile);
    window.loadForm();
    window.buildDocument();
    window.show();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(500, &window, [&] {
            window.grab().save(screenshot);
            app.quit();
        });
    }
    const int result = app.exec();
    window.saveForm();
    return result;
}
