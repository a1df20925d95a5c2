// kelvora-genbook FOLDER: writes the ten-year benchmark book into FOLDER.
#include "BookGenerator.h"

#include "platform/regional/GreekFormats.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: kelvora-genbook FOLDER\n");
        return 2;
    }
    try {
        QElapsedTimer timer;
        timer.start();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(app.arguments()[1]);
        std::printf("%d movements on %d days (%s to %s), %d codes, %d days closed, in %.1f s\n", b.movements, b.days,
                    qPrintable(regional::formatDate(b.firstDay)), qPrintable(regional::formatDate(b.lastDay)),
                    b.codes, b.closedDays, double(timer.elapsed()) / 1000.0);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kelvora-genbook: %s\n", e.what());
        return 1;
    }
}
