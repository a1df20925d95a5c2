// Saving and loading documents.

#include "platform/pages/docfile.h"
#include "platform/pages/engine.h"

#include <QDataStream>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QtEndian>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pages;

namespace {

void writeMixedDocument(Engine &engine)
{
    engine.setFooter(QStringLiteral("Σελίδα %d"));
    engine.StartDoc();
    engine.setHeader(QStringLiteral("|Καρτέλα ομάδων   Κεντρικό"));
    engine.setFontBold(true);
    engine.setText(QStringLiteral("Τίτλος\r"));
    engine.setFontBold(false);
    engine.setTextColor(255);
    engine.AddTable(QStringLiteral("<3000|>1500"), QStringLiteral("Περιγραφή|Ποσό"), QStringLiteral("|"),
                    rgb(200, 210, 190));
    for (int i = 0; i < 90; ++i)
        engine.AddTable(QStringLiteral("<3000|>1500"), QStringLiteral("Περιγραφή|Ποσό"),
                        QStringLiteral("Γραμμή %1|%1,00").arg(i), 0, i % 2 ? rgb(222, 225, 225) : 0, true);
    engine.setTextColor(0);
    engine.setPenColor(rgb(0, 0, 255));
    engine.setBrushColor(rgb(255, 200, 0));
    engine.DrawRectangle(1000, 1000, 3000, 2000, 100);
    engine.DrawCircle(5000, 5000, 500, -0.5, -2.0);
    engine.setPolyline(QStringLiteral("100 100 200 300 400 100"));
    QImage picture(8, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 128));
    engine.setX1(2000);
    engine.setY1(2000);
    engine.setPicture(picture);
    QPicture recording;
    {
        QPainter painter(&recording);
        painter.fillRect(QRectF(0, 0, 50, 20), QColor(30, 60, 90));
        painter.drawText(QPointF(5, 15), QStringLiteral("Διάγραμμα"));
    }
    engine.setX1(1000);
    engine.setY1(3000);
    engine.setX2(4000);
    engine.setY2(4200);
    engine.DrawRecording(recording, QSizeF(50, 20));
    engine.EndDoc();
}

TEST(DocFile, SaveThenLoadGivesTheSamePages)
{
    for (bool compress : {false, true}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.kvp"));
        Engine writer;
        writeMixedDocument(writer);
        ASSERT_GE(writer.PageCount(), 2);
        ASSERT_TRUE(writer.SaveDoc(path, compress)) << compress;

        Engine reader;
        ASSERT_TRUE(reader.LoadDoc(path));
        EXPECT_TRUE(reader.document() == writer.document()) << "compress " << compress;
        EXPECT_EQ(reader.FileName(), path);
    }
}

TEST(DocFile, SavesAPageRange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("range.kvp"));
    Engine writer;
    writeMixedDocument(writer);
    ASSERT_TRUE(writer.SaveDoc(path, false, 2, 2));
    Engine reader;
    ASSERT_TRUE(reader.LoadDoc(path));
    ASSERT_EQ(reader.PageCount(), 1);
    EXPECT_TRUE(reader.document().pages[0] == writer.document().pages[1]);
}

TEST(DocFile, CancelInSavingDocStopsTheSave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.kvp"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("older contents");
    }
    Engine engine;
    writeMixedDocument(engine);
    std::vector<std::pair<int, int>> seen;
    QObject::connect(&engine, &Engine::SavingDoc, &engine, [&](int page, int of, bool &cancel) {
        seen.emplace_back(page, of);
        cancel = page == 1;
    });
    EXPECT_FALSE(engine.SaveDoc(path));
    EXPECT_EQ(engine.Error(), error::Cancelled);
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{1, engine.PageCount()}}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("older contents"));  // the earlier file is untouched
}

TEST(DocFile, CancelInLoadingDocKeepsTheDocumentOnView)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.kvp"));
    Engine writer;
    writeMixedDocument(writer);
    ASSERT_TRUE(writer.SaveDoc(path));

    Engine reader;
    reader.StartDoc();
    reader.setText(QStringLiteral("τρέχον έγγραφο"));
    reader.EndDoc();
    const Document before = reader.document();
    int calls = 0;
    QObject::connect(&reader, &Engine::LoadingDoc, &reader, [&](int, int, bool &cancel) {
        ++calls;
        cancel = calls == 2;
    });
    EXPECT_FALSE(reader.LoadDoc(path));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(reader.document() == before);
    EXPECT_EQ(reader.Error(), error::Cancelled);
}

TEST(DocFile, ForeignOrDamagedFilesAreRefused)
{
    QTemporaryDir dir;
    const QString foreign = dir.filePath(QStringLiteral("foreign.kvp"));
    {
        QFile file(foreign);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4 not ours");
    }
    Engine engine;
    EXPECT_FALSE(engine.LoadDoc(foreign));
    EXPECT_EQ(engine.Error(), error::BadFile);

    Engine writer;
    writeMixedDocument(writer);
    const QString good = dir.filePath(QStringLiteral("good.kvp"));
    ASSERT_TRUE(writer.SaveDoc(good));
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.resize(file.size() / 2);
    file.close();
    EXPECT_FALSE(engine.LoadDoc(good));
    EXPECT_EQ(engine.Error(), error::BadFile);
    EXPECT_FALSE(engine.LoadDoc(dir.filePath(QStringLiteral("missing.kvp"))));
    EXPECT_EQ(engine.Error(), error::File);
}

// A damaged or hostile document file is refused as not a document before the
// loader asks for more memory than the file could hold. Each file is loaded
// in a child process whose address space is capped, so an allocation its
// lengths ask for ends the child instead of passing unnoticed.
namespace hostile {

void itemUpToPoints(QDataStream &out)
{
    out << quint8(0) << quint8(0) << quint8(0) << QRect() << qint32(0) << QString() << QString() << 10.0 << quint8(0)
        << quint32(0) << quint32(0) << qint32(0) << quint8(0) << quint8(0) << qint16(0) << qint32(0) << qint32(0)
        << qint16(0) << qint16(0) << false;
}

void pictureItem(QDataStream &out, qint32 width, qint32 height, quint32 colours, qint64 lineBytes)
{
    out << quint32(1);
    itemUpToPoints(out);
    out << quint32(0) << qint32(-1) << qint32(-1) << qint32(-1) << true;
    out << width << height << qint32(QImage::Format_ARGB32) << colours;
    if (colours == 0)
        out << lineBytes;
}

QByteArray file(const std::function<void(QDataStream &)> &page, quint8 compressed = 0, qint32 pages = 1)
{
    QByteArray block;
    if (page) {
        QDataStream out(&block, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << qint32(1) << QSize(100, 100);
        page(out);
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << quint32(0x4B565044) << quint16(1) << compressed << pages;
    if (page)
        out << block;
    return bytes;
}

// The child's exit code: 0 refused as not a document, 2 loaded, 3 another result.
int loadCapped(const QString &path)
{
    const pid_t pid = fork();
    if (pid == 0) {
        long pages = 0;
        if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        const rlim_t cap = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(256) << 20);
        const struct rlimit limit {cap, cap};
        setrlimit(RLIMIT_AS, &limit);
        Document document;
        const FileResult r = readDocumentFile(path, document, {});
        _exit(r == FileResult::BadFormat ? 0 : r == FileResult::Ok ? 2 : 3);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace hostile

TEST(DocFile, LengthsBeyondTheFileAreRefusedWithoutAllocating)
{
    using namespace hostile;
    QByteArray inflating(4, '\0');
    qToBigEndian<quint32>(0xFFFFFF00u, inflating.data());
    inflating += QByteArray(16, 'z');
    const struct
    {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"ten million items", file([](QDataStream &out) { out << quint32(10'000'000); })},
        {"four thousand million points", file([](QDataStream &out) {
             out << quint32(1);
             itemUpToPoints(out);
             out << quint32(0xFFFFFFF0u);
         })},
        {"a colour table without end", file([](QDataStream &out) { pictureItem(out, 2, 2, 0xFFFFFFF0u, 0); })},
        {"an image larger than the file", file([](QDataStream &out) { pictureItem(out, 10000, 10000, 0, 40000); })},
        {"a compressed page claiming 4 GB", [&] {
             QByteArray bytes;
             QDataStream out(&bytes, QIODevice::WriteOnly);
             out.setVersion(QDataStream::Qt_6_4);
             out << quint32(0x4B565044) << quint16(1) << quint8(1) << qint32(1) << inflating;
             return bytes;
         }()},
        {"more pages than bytes", file(nullptr, 0, 0x7FFFFFFF)},
        {"a block longer than the file", [] {
             QByteArray bytes = file(nullptr);
             QDataStream out(&bytes, QIODevice::Append);
             out << quint32(0x7FFFFFF0u);
             return bytes;
         }()},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("hostile.kvp"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        EXPECT_EQ(loadCapped(path), 0);
    }
    // The cap leaves room for a real document.
    Engine writer;
    writeMixedDocument(writer);
    const QString good = dir.filePath(QStringLiteral("good.kvp"));
    ASSERT_TRUE(writer.SaveDoc(good));
    EXPECT_EQ(loadCapped(good), 2);
}

}  // namespace
