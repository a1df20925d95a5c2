// DIADROMH.DAT as any bytes: the reader must give contents (or none) and
// never fail, however the file was written.
#include "data/PathFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile f(pathfile::pathIn(dir.path()));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(bytes);
    }
    const pathfile::Contents c = pathfile::read(dir.path());
    (void)pathfile::dataPathMissing(c);
    (void)pathfile::parse(QString::fromUtf8(bytes));
    return 0;
}
