// DIADROMH.DAT as any bytes (UTF-8 or the Greek single-byte code page, or
// neither): the reader must give contents, or none, and never fail.
#include "data/PathFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const pathfile::Contents c = pathfile::parseBytes(bytes);
    (void)pathfile::dataPathMissing(c);
    (void)pathfile::splitItems(QString::fromUtf8(bytes));
    return 0;
}
