// The control around its engine: the inner engine, change marking, the
// accessors that do more or less than forward, events and methods.
#include "prynex_test_support.h"

#include "platform/pages/widgets/previewwidget.h"
#include "ui_prynex_form.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PrynexControl, OneInnerEngineCoversTheControlAfterEveryResize)
{
    Prynex control;
    control.show();
    const auto engines = control.findChildren<pages::PreviewWidget *>();
    ASSERT_EQ(engines.size(), 1);
    EXPECT_EQ(engines.first()->objectName(), u"Engine1"_s);
    // 3000 x 2000 twips at 15 twips a pixel.
    control.resize(3000 / 15, qRound(2000 / 15.0));
    EXPECT_EQ(engines.first()->geometry(), QRect(0, 0, 200, 133));
    control.resize(50, 40);
    EXPECT_EQ(engines.first()->geometry(), QRect(0, 0, 50, 40));
}

TEST(PrynexControl, VersionIsTheControlsWhileTheEngineKeepsItsOwn)
{
    Prynex control;
    EXPECT_EQ(control.Version(), 100);
    EXPECT_EQ(control.propertyByName(u"Version"_s).toInt(), 100);
    EXPECT_EQ(engineOf(control).Version(), 200);
}

TEST(PrynexControl, ChangesAreMarkedUnderThePropertysOwnName)
{
    Prynex control;
    QSignalSpy changed(&control, &Prynex::propertyChanged);
    const struct {
        QString name;
        QVariant value;
        bool marks;
    } cases[] = {
        {u"zoom"_s, 50, true},  // marked under its own spelling
        {u"Header"_s, u"|Title"_s, true},
        {u"Action"_s, 0, true},  // marked, though never kept in a form
        {u"X1"_s, 100, false},
        {u"Y2"_s, 100, false},
        {u"hDC"_s, 5, false},
        {u"Enabled"_s, false, true},
        {u"WhatsThisHelpID"_s, 42, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        changed.clear();
        ASSERT_TRUE(control.setPropertyByName(c.name, c.value));
        if (c.marks) {
            ASSERT_EQ(changed.size(), 1);
            EXPECT_EQ(changed.first().first().toString().compare(c.name, Qt::CaseInsensitive), 0);
        } else {
            EXPECT_TRUE(changed.isEmpty());
        }
    }
    EXPECT_EQ(changed.size(), 1);
    changed.clear();
    EXPECT_FALSE(control.setPropertyByName(u"Zoom"_s, u"abc"_s)) << "a refused value";
    EXPECT_FALSE(control.setPropertyByName(u"Zoom"_s, 70000)) << "beyond a 16-bit number";
    EXPECT_TRUE(changed.isEmpty());
}

TEST(PrynexControl, EnabledAndHelpIdBelongToTheControlNotTheEngine)
{
    Prynex control;
    control.setEnabled(false);
    EXPECT_FALSE(control.isEnabled());
    EXPECT_FALSE(control.Enabled());
    EXPECT_TRUE(engineOf(control).Enabled());
    control.setWhatsThisHelpID(77);
    EXPECT_EQ(control.WhatsThisHelpID(), 77);
    EXPECT_EQ(engineOf(control).WhatsThisHelpID(), 0);
}

TEST(PrynexControl, DrawIgnoresTheEnginesErrors)
{
    Prynex control;
    EXPECT_TRUE(control.setPropertyByName(u"Draw"_s, u"not a figure"_s));
    EXPECT_FALSE(control.setPropertyByName(u"Text"_s, QVariant::fromValue(QRect())))
        << "other members report what the engine refuses";
}

TEST(PrynexControl, CancelInSavingDocAndLoadingDocReachesTheEngine)
{
    QTemporaryDir dir;
    Prynex control;
    control.StartDoc();
    control.setText(u"First page"_s);
    control.NewPage();
    control.setText(u"Second page"_s);
    control.EndDoc();

    const QString saved = dir.filePath(u"saved.doc"_s);
    ASSERT_TRUE(control.SaveDoc(saved));
    const QString cancelled = dir.filePath(u"cancelled.doc"_s);
    auto stopSaving = QObject::connect(&control, &Prynex::SavingDoc, &control,
                                       [](qint16 &page, qint16 &, bool &cancel) { cancel = page == 1; });
    EXPECT_FALSE(control.SaveDoc(cancelled));
    EXPECT_FALSE(QFile::exists(cancelled));
    QObject::disconnect(stopSaving);

    Prynex reader;
    int pagesSeen = 0;
    QObject::connect(&reader, &Prynex::LoadingDoc, &reader, [&](qint16 &, qint16 &of, bool &cancel) {
        EXPECT_EQ(of, 2);
        ++pagesSeen;
        cancel = true;
    });
    EXPECT_FALSE(reader.LoadDoc(saved));
    EXPECT_EQ(pagesSeen, 1);
    EXPECT_EQ(engineOf(reader).document().pageCount(), 0);
}

TEST(PrynexControl, TableCellsChangedByAHandlerArePrinted)
{
    Prynex control;
    QObject::connect(&control, &Prynex::NewTableCell, &control, [](qint16 &row, qint16 &column, QString &cell) {
        if (row > 0 && column == 2)
            cell = cell.toUpper();
    });
    control.StartDoc();
    control.AddTable(u"<1000|<2000"_s, u"Code|Name"_s, u"1|cash\r2|bank"_s);  // shades and Append missing
    control.EndDoc();
    const auto rows = engineOf(control).document().tableRows(1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (QStringList{u"1"_s, u"CASH"_s}));
    EXPECT_EQ(rows[1], (QStringList{u"2"_s, u"BANK"_s}));
}

TEST(PrynexControl, MissingOptionalArgumentsArePassedOnAsMissing)
{
    Prynex control;
    control.StartDoc();
    control.DrawLine(100, 100, 1000, 1000);
    control.DrawLine(2000, 500);  // continues from the previous line's end
    control.EndDoc();
    const auto lines = engineOf(control).document().page(1)->itemsWithRole(pages::ItemRole::Drawing);
    EXPECT_EQ(lines.size(), 2u);
}

TEST(PrynexControl, AboutBoxIsShownModallyUntilOk)
{
    Prynex control;
    bool seen = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &control, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
        FAIL() << "the About box did not close on OK";
    });
    QTimer::singleShot(0, &control, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName(), u"frmAbout"_s);
        EXPECT_EQ(box->windowTitle(), u"About Prynex..."_s);
        EXPECT_EQ(box->findChild<QLabel *>(u"lblTitle"_s)->text(), u"Prynex 1.0"_s);
        EXPECT_FALSE(box->findChild<QLabel *>(u"Image1"_s)->pixmap().isNull());
        EXPECT_FALSE(box->findChild<QLabel *>(u"lblDescription"_s)->text().isEmpty());
        auto *ok = box->findChild<QPushButton *>(u"cmdOK"_s);
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), u"OK"_s);
        seen = true;
        ok->click();
    });
    guard.start(5000);
    control.AboutBox();
    guard.stop();
    EXPECT_TRUE(seen);
}

TEST(PrynexControl, AFormCompiledByUicSetsTheEngine)
{
    QWidget form;
    Ui::PrynexForm ui;
    ui.setupUi(&form);
    EXPECT_EQ(ui.report->Zoom(), 75);
    EXPECT_EQ(ui.report->Header(), u"|Κεντρικό"_s);
    EXPECT_FALSE(ui.report->Preview());
    EXPECT_EQ(ui.report->BackColor(), 255u | 255u << 8 | 220u << 16);
    EXPECT_EQ(engineOf(*ui.report).FontName(), u"Liberation Serif"_s);
    EXPECT_TRUE(engineOf(*ui.report).FontBold());
}

TEST(PrynexControl, AValueTheEngineRefusesIsReportedAndChangesNothing)
{
    Prynex control;
    control.setZoom(80);
    QSignalSpy changed(&control, &Prynex::propertyChanged);
    const struct {
        QString name;
        QVariant value;
    } refused[] = {
        {u"PaperSize"_s, 12345},          {u"Orientation"_s, 7},
        {u"FontSize"_s, -3},              {u"HdrFontSize"_s, 0},
        {u"Device"_s, u"NoSuchPrinter"_s}, {u"Zoom"_s, u"2cm"_s},
        {u"Zoom"_s, u"50.7"_s},           {u"Zoom"_s, 50.7},
        {u"Columns"_s, u"1in"_s},         {u"Enabled"_s, u"abc"_s},
        {u"Preview"_s, u"abc"_s},         {u"TextAlign"_s, 4},
        {u"PenStyle"_s, -1},              {u"BrushStyle"_s, 8},
        {u"PreviewMode"_s, 3},            {u"Duplex"_s, 0},
        {u"TableBorder"_s, 8},            {u"WhatsThisHelpID"_s, u"7.5"_s},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE((c.name + u" = "_s + c.value.toString()).toStdString());
        const QVariant before = c.name == u"Device"_s ? QVariant() : control.propertyByName(c.name);
        EXPECT_FALSE(control.setPropertyByName(c.name, c.value));
        if (before.isValid()) {
            EXPECT_EQ(control.propertyByName(c.name), before) << "left as it was";
        }
    }
    EXPECT_TRUE(changed.isEmpty()) << "a refused value marks nothing";
    EXPECT_EQ(control.Zoom(), 80);
    EXPECT_TRUE(control.Enabled());

    // What the same members take.
    EXPECT_TRUE(control.setPropertyByName(u"Zoom"_s, u" 50 "_s));
    EXPECT_EQ(control.Zoom(), 50);
    EXPECT_TRUE(control.setPropertyByName(u"MarginLeft"_s, u"2cm"_s)) << "a length takes a unit";
    EXPECT_EQ(control.MarginLeft(), 1134);
    EXPECT_TRUE(control.setPropertyByName(u"Orientation"_s, 1));
    EXPECT_EQ(control.Orientation(), 1);
    EXPECT_TRUE(control.setPropertyByName(u"FontSize"_s, u"9.75"_s));
    EXPECT_DOUBLE_EQ(control.propertyByName(u"FontSize"_s).toDouble(), 9.75);
    EXPECT_TRUE(control.setPropertyByName(u"Enabled"_s, u"false"_s));
    EXPECT_FALSE(control.Enabled());
    EXPECT_TRUE(control.setPropertyByName(u"Preview"_s, 0));
    EXPECT_FALSE(control.Preview());
    EXPECT_EQ(changed.size(), 6);
}

TEST(PrynexControl, EveryEventArgumentAHandlerChangesReachesTheEngine)
{
    QTemporaryDir dir;
    Prynex control;
    pages::Engine &engine = engineOf(control);

    // Row and Column: what the handler leaves is what the engine's side sees.
    QObject::connect(&control, &Prynex::NewTableCell, &control, [](qint16 &row, qint16 &column, QString &) {
        row = qint16(row + 100);
        column = qint16(-column);
    });
    QList<QPair<int, int>> cells;
    QObject::connect(&engine, &pages::Engine::NewTableCell, &engine,
                     [&](int row, int column, QString &) { cells.append({row, column}); });
    control.StartDoc();
    control.AddTable(u"<1000|<2000"_s, u"Code|Name"_s, u"1|cash"_s);
    control.NewPage();
    control.setText(u"Second page"_s);
    control.EndDoc();
    // The body row is laid out before the heading it may carry to a new page.
    EXPECT_EQ(cells, (QList<QPair<int, int>>{{101, -1}, {101, -2}, {100, -1}, {100, -2}}));

    // Page and Of of SavingDoc and LoadingDoc.
    for (auto event : {&Prynex::SavingDoc, &Prynex::LoadingDoc})
        QObject::connect(&control, event, &control, [](qint16 &page, qint16 &of, bool &) {
            page = qint16(page * 10);
            of = 99;
        });
    QList<QPair<int, int>> saved, loaded;
    QObject::connect(&engine, &pages::Engine::SavingDoc, &engine,
                     [&](int page, int of, bool &) { saved.append({page, of}); });
    QObject::connect(&engine, &pages::Engine::LoadingDoc, &engine,
                     [&](int page, int of, bool &) { loaded.append({page, of}); });
    const QString file = dir.filePath(u"two.doc"_s);
    ASSERT_TRUE(control.SaveDoc(file));
    ASSERT_TRUE(control.LoadDoc(file));
    EXPECT_EQ(saved, (QList<QPair<int, int>>{{10, 99}, {20, 99}}));
    EXPECT_EQ(loaded, saved);
}

TEST(PrynexControl, TheMouseButtonAHandlerLeavesIsTheOneThePreviewActsOn)
{
    Prynex control;
    control.resize(400, 400);
    control.StartDoc();
    control.setText(u"A page to zoom"_s);
    control.EndDoc();
    control.show();
    auto *preview = control.findChild<pages::PreviewWidget *>();
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(control.MouseZoom());
    ASSERT_EQ(control.Zoom(), 100);

    // A left click zooms in; made a right click by the handler, it zooms out.
    qint16 seenButton = -1;
    float seenX = -1;
    auto swap = QObject::connect(&control, &Prynex::MouseUp, &control,
                                 [&](qint16 &button, qint16 &, float &x, float &) {
                                     seenButton = button;
                                     seenX = x;
                                     button = 2;
                                 });
    QTest::mouseClick(preview->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(seenButton, 1);
    EXPECT_FLOAT_EQ(seenX, 1500.0f) << "twips";
    EXPECT_LT(control.Zoom(), 100);
    QObject::disconnect(swap);

    // A handler that clears the button keeps the click from zooming.
    const int zoom = control.Zoom();
    QObject::connect(&control, &Prynex::MouseUp, &control, [](qint16 &button, qint16 &, float &, float &) {
        button = 0;
    });
    QTest::mouseClick(preview->viewport(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(control.Zoom(), zoom);
}

namespace {

QString runTool(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

TEST(PrynexControl, AHostWritesThePdfUnderItsOwnFileNameAndTitle)
{
    QTemporaryDir dir;
    Prynex control;
    control.setFileName(u"report.doc"_s);
    control.StartDoc();
    control.setParagraph(u"Πρώτη σελίδα"_s);
    control.NewPage();
    control.setParagraph(u"Second page"_s);
    control.EndDoc();

    const QString path = dir.filePath(u"Ταμείο Μαΐου.pdf"_s);
    ASSERT_TRUE(control.writePdf(path, u"Ταμείο Μαΐου 2026"_s));
    const QString info = runTool(u"pdfinfo"_s, {path});
    EXPECT_TRUE(info.contains(QRegularExpression(u"Title:\\s+Ταμείο Μαΐου 2026\\n"_s))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(u"Creator:\\s+prynex_tests\\n"_s))) << "the host program";
    EXPECT_TRUE(info.contains(QRegularExpression(u"Pages:\\s+2\\n"_s)));
    const QString text = runTool(u"pdftotext"_s, {path, u"-"_s});
    EXPECT_TRUE(text.contains(u"Πρώτη σελίδα"_s));
    EXPECT_TRUE(text.contains(u"Second page"_s));
    EXPECT_EQ(control.FileName(), u"report.doc"_s) << "the document keeps its own name";

    // One page of it; nothing to write is refused.
    const QString second = dir.filePath(u"second.pdf"_s);
    ASSERT_TRUE(control.writePdf(second, u"Second"_s, 2, 2));
    EXPECT_TRUE(runTool(u"pdfinfo"_s, {second}).contains(QRegularExpression(u"Pages:\\s+1\\n"_s)));
    Prynex empty;
    EXPECT_FALSE(empty.writePdf(dir.filePath(u"empty.pdf"_s), u"Empty"_s));
    EXPECT_FALSE(QFile::exists(dir.filePath(u"empty.pdf"_s)));
}

TEST(PrynexControl, APrintJobOfAnUnnamedDocumentIsNamedAfterTheHostProgram)
{
    QTemporaryDir dir;
    Prynex control;
    control.StartDoc();
    control.setParagraph(u"Printed"_s);
    control.EndDoc();
    QPrinter &printer = engineOf(control).printer();
    printer.setOutputFormat(QPrinter::PdfFormat);  // what "print to file" in the dialog chooses
    const QString path = dir.filePath(u"printed.pdf"_s);
    printer.setOutputFileName(path);
    ASSERT_TRUE(control.PrintDoc());
    EXPECT_EQ(printer.docName(), u"prynex_tests"_s);
    EXPECT_TRUE(runTool(u"pdfinfo"_s, {path}).contains(QRegularExpression(u"Title:\\s+prynex_tests\\n"_s)));
}
