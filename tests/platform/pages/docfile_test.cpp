// Saving and loading documents.

#include "platform/pages/engine.h"

#include <QFile>
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

}  // namespace
