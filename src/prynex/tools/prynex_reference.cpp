// prynex-reference FILE: writes the developer reference (reference.h) to FILE.
// Run by the build; its output is installed beside docs/PRYNEX.md.

#include "prynex/reference.h"

#include <QSaveFile>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: prynex-reference FILE\n");
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(prynex::referenceText().toUtf8()) < 0
        || !file.commit()) {
        std::fprintf(stderr, "prynex-reference: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
