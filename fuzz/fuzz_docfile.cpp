// The page engine's document file on any bytes: loading gives a document or
// an error, and a refused file leaves the document as it was.
#include "platform/pages/docfile.h"

#include <QFile>
#include "GuiApp.h"

#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureGuiApp("fuzz_docfile");
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("doc.kvpd"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    pages::Document doc;
    const pages::FileResult r = pages::readDocumentFile(path, doc, {});
    if (r != pages::FileResult::Ok && doc.pageCount() != 0)
        std::abort();
    return 0;
}
