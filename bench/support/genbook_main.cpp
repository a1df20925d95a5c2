// kelvora-genbook FOLDER [YEARS [SCALE]]: writes the benchmark book (ten years
// unless YEARS says otherwise, every amount times SCALE) into FOLDER.
#include "BookGenerator.h"

#include "platform/regional/GreekFormats.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool yearsOk = true;
    benchsupport::BookSize size;
    bool scaleOk = true;
    if (args.size() >= 3)
        size.years = args[2].toInt(&yearsOk);
    if (args.size() >= 4)
        size.amountScale = args[3].toLongLong(&scaleOk);
    if (args.size() < 2 || args.size() > 4 || !yearsOk || !scaleOk || size.years < 1 || size.years > 100
        || size.amountScale < 1 || size.amountScale > 400000) {
        std::fprintf(stderr, "usage: kelvora-genbook FOLDER [YEARS [SCALE]]\n");
        return 2;
    }
    try {
        QElapsedTimer timer;
        timer.start();
        const benchsupport::GeneratedBook b = benchsupport::generateBook(args[1], size);
        std::printf("%d movements on %d days (%s to %s), %d codes, %d days closed, in %.1f s\n", b.movements, b.days,
                    qPrintable(regional::formatDate(b.firstDay)), qPrintable(regional::formatDate(b.lastDay)),
                    b.codes, b.closedDays, double(timer.elapsed()) / 1000.0);
        return 0;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "kelvora-genbook: %s\n", e.what());
        return 1;
    }
}
