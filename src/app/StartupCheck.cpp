#include "StartupCheck.h"

#include "Program.h"
#include "platform/desktop/Messages.h"
#include "shell/login/Login.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>

int runStartupCheck(const QString &programDir)
{
    int boxes = 0;
    msg::install([&boxes](const msg::Box &box) {
        ++boxes;
        std::fprintf(stderr, "kelvora: message \"%s\": %s\n", qPrintable(box.title), qPrintable(box.text));
        // No one is there to answer: a question is declined (never "try again").
        switch (box.buttons) {
        case msg::Buttons::Ok: return msg::Answer::Ok;
        case msg::Buttons::OkCancel: return msg::Answer::Cancel;
        case msg::Buttons::YesNo: return msg::Answer::No;
        }
        return box.defaultButton;
    });
    Program program(programDir);
    program.setOfferNewDataFolder(false);
    if (!program.start())
        return 1;
    int result = 1;
    QTimer::singleShot(0, qApp, [&] {
        if (boxes == 0 && program.login() && program.login()->isVisible()) {
            std::printf("kelvora: log-in window shown\n");
            result = 0;
        }
        QApplication::quit();
    });
    QApplication::exec();
    return result;
}
