#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AppGlobals.h"
#include "platform/desktop/Settings.h"
#include "platform/pages/engine.h"
#include "platform/pages/widgets/previewtoolbar.h"
#include "platform/pages/widgets/previewwidget.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"
#include "reports/CsvExport.h"
#include "reports/widgets/Ektypvsh.h"
#include "reports/widgets/Ervthsh.h"
#include "reports/widgets/FormaTajinomhshs.h"
#include "reports/widgets/ReportsTab.h"
#include "shell/analysis/widgets/AnalyshFRM.h"
#include "shell/WindowTestHelpers.h"
#include "support/ModalSteps.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The reports tab in a plain window standing in for the main window, over a
// data folder with a few movements on 2 March 2026.
class ReportWindowTest : public ::testing::Test
{
protected:
    ReportWindowTest()
    {
        settings::useFile(settingsDir.filePath(QStringLiteral("Kelvora.ini")));
        Clock::setToday(QDate(2026, 3, 20));
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false);
        globals().RightChangeRecords = true;
        book(10, QStringLiteral("1500,00"), QStringLiteral("0"));
        book(20, QStringLiteral("0"), QStringLiteral("320,45"));
        state.store = &folder.store();
        context.state = &state;
        tab = std::make_unique<ReportsTab>(context, &mainWindow);
        mainWindow.resize(900, 500);
        tab->widget()->resize(900, 500);
        tab->EnterPage(QStringLiteral("02-03-2026"), QStringLiteral("02-03-2026"));
        Ektypvsh::setPrinterProbe({[this] { return devices; }, [this] { return deviceName; }});
    }
    ~ReportWindowTest() override
    {
        tab.reset();
        Ektypvsh::setPrinterProbe({});
        Ektypvsh::setSaveFileQuestion({});
        Clock::setToday(QDate());
    }
    void book(int code, const QString &income, const QString &expense)
    {
        cashbook::MovementEntry e;
        e.dateText = QStringLiteral("02-03-2026");
        e.code = code;
        e.description = QStringLiteral("ΚΙΝΗΣΗ");
        e.incomeText = income;
        e.expenseText = expense;
        e.memoText = QStringLiteral("0");
        ASSERT_TRUE(ops.InsertMovement(e).has_value());
    }
    QListWidget *list(int i) { return child<QListWidget>(tab->widget(), QStringLiteral("List2(%1)").arg(i).toLatin1()); }
    QLineEdit *date(int i) { return child<QLineEdit>(tab->widget(), QStringLiteral("Text1(%1)").arg(i).toLatin1()); }
    void select(int report) { list(0)->setCurrentRow(report - 1); }
    int reportWindows() const
    {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += w->objectName() == QStringLiteral("Ektypvsh") ? 1 : 0;
        return n;
    }

    QTemporaryDir settingsDir;
    TestDataFolder folder;
    ScriptedMessages messages;
    cashbook::CashBook cash{folder.store()};
    cashbook::CashOperations ops{cash};
    MainWindowState state;
    PageContext context;
    QWidget mainWindow;
    std::unique_ptr<ReportsTab> tab;
    int devices = 0;
    QString deviceName = QStringLiteral("Laser");
};

TEST_F(ReportWindowTest, TheTabListsTheReportsCodesAndGroups)
{
    ASSERT_EQ(list(0)->count(), 10);
    EXPECT_EQ(list(0)->item(8)->text(), QStringLiteral("  9 Ταμεία που δεν έχουν κλήσει !"));
    EXPECT_EQ(list(0)->item(9)->data(Qt::UserRole).toInt(), 10);
    EXPECT_EQ(list(0)->item(4)->data(Qt::UserRole).toInt(), 5);
    EXPECT_EQ(list(0)->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list(1)->count(), 2);
    EXPECT_EQ(list(1)->item(1)->data(Qt::UserRole).toInt(), 20);
    EXPECT_EQ(list(1)->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_EQ(date(7)->text(), QStringLiteral("02-03-2026"));
}

TEST_F(ReportWindowTest, StartMessagesStopBeforeAnyWindow)
{
    tab->PrintSelected();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Δεν έχετε επιλέξει την εκτύπωση")});
    // The day sheet reads only the end date, but a bad start date stops it too.
    select(1);
    date(7)->setText(QStringLiteral("32-03-2026"));
    tab->PrintSelected();
    EXPECT_EQ(messages.last().text, QStringLiteral("Η ημερομηνία είναι λάθος"));
    EXPECT_EQ(messages.last().title, QStringLiteral("Προσοχ'η στην ημερομηνία"));
    EXPECT_EQ(tab->reportWindow(), nullptr);
    EXPECT_EQ(reportWindows(), 0);
}

TEST_F(ReportWindowTest, OneWindowAtATimeShownOnItsFirstPage)
{
    select(1);
    tab->PrintSelected();
    Ektypvsh *first = tab->reportWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->tag(), QStringLiteral(" Ταμείο ημέρας"));
    EXPECT_EQ(first->engine().PreviewPage(), 1);
    EXPECT_EQ(first->engine().Zoom(), 100);
    EXPECT_EQ(first->engine().document().tableRows(1).back()[2], QStringLiteral("Υπόλοιπο = 1.179,55"));

    select(3);  // a fresh report replaces the first one in the one window
    tab->PrintSelected();
    EXPECT_EQ(reportWindows(), 1);
    Ektypvsh *second = tab->reportWindow();
    EXPECT_EQ(second->tag(), QStringLiteral(" Συνοπτικό ταμείο από ... εως"));
    EXPECT_EQ(second->engine().document().tableCount(), 1);
    EXPECT_EQ(second->engine().document().tableHeading(1).value(4).trimmed(), QStringLiteral("Ημερομηνία"));
}

TEST_F(ReportWindowTest, TheChartsEntryOpensItsChartsInTheWindow)
{
    select(10);
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->tag(), QStringLiteral(" Διαγράμματα ταμείου από ... έως"));
    EXPECT_TRUE(messages.texts().isEmpty());
    // The window hands the report its drawing of the charts: four of them on
    // the first two pages.
    int charts = 0;
    for (const pages::Page &page : w->engine().document().pages)
        for (const pages::PageItem &item : page.items)
            charts += item.kind == pages::ItemKind::Recording;
    EXPECT_EQ(charts, 4);
    EXPECT_EQ(w->engine().PreviewPage(), 1);
}

TEST_F(ReportWindowTest, CaptionAndMenuFollowThePrinters)
{
    select(1);
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Ταμείο ημέρας Προσοχή δεν υπάρχει ορισμένος εκτυπωστής)"));
    EXPECT_FALSE(w->menuItem(Ektypvsh::ChoosePrinter)->isEnabled());
    EXPECT_FALSE(w->menuItem(Ektypvsh::PrintAll)->isEnabled());
    EXPECT_TRUE(w->menuItem(Ektypvsh::PrintCurrent)->isEnabled());
    EXPECT_TRUE(w->savePdfItem()->isEnabled());
    EXPECT_EQ(w->menuItem(Ektypvsh::PrintAll)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(w->menuItem(Ektypvsh::Return)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(w->menuItem(Ektypvsh::ChoosePrinter)->text(), QStringLiteral("Επιλογή εκτυπωτή"));

    devices = 2;
    w->resize(w->width() + 10, w->height());  // the check also runs on resize
    QApplication::processEvents();
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Ταμείο ημέρας  στον  Laser"));
    EXPECT_TRUE(w->menuItem(Ektypvsh::ChoosePrinter)->isEnabled());
    EXPECT_TRUE(w->menuItem(Ektypvsh::PrintAll)->isEnabled());

    // Choosing another printer names it in the caption.
    w->engine().setDialogHook([this](pages::Engine &, int kind) {
        EXPECT_EQ(kind, 0);
        deviceName = QStringLiteral("Γραφείο 2");
        return true;
    });
    w->menuItem(Ektypvsh::ChoosePrinter)->trigger();
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" Ταμείο ημέρας  στον  Γραφείο 2"));

    w->menuItem(Ektypvsh::Return)->trigger();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ReportWindowTest, SavedPdfHoldsRealGreekText)
{
    select(1);
    date(7)->setText(QStringLiteral("01-03-2026"));
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    EXPECT_TRUE(w->suggestedPdfName().endsWith(QStringLiteral("Ταμείο ημέρας 01-03-2026 έως 02-03-2026.pdf")))
        << w->suggestedPdfName().toStdString();
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("ταμείο.pdf"));
    QString suggested;
    Ektypvsh::setSaveFileQuestion([&](QWidget *, const QString &s) {
        suggested = s;
        return file;
    });
    w->savePdfItem()->trigger();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral("Ταμείο ημέρας 01-03-2026 έως 02-03-2026.pdf")));
    // The next file is offered in the folder this one went to.
    EXPECT_EQ(QFileInfo(w->suggestedPdfName()).absolutePath(), QFileInfo(file).absolutePath());
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(20000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    // pdftotext gives runs of blanks back as one.
    EXPECT_TRUE(text.simplified().contains(QStringLiteral("Τ α μ ε ί ο Η μ έ ρ α ς 02-03-2026 Κεντρικό")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Υπόλοιπο = 1.179,55")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.500,00")));
    EXPECT_TRUE(text.contains(QStringLiteral("320,45")));
    EXPECT_TRUE(text.contains(QStringLiteral("Σελίδα 1")));
    EXPECT_EQ(messages.count(), 0);

    // A file that cannot be written is said so, not passed over.
    EXPECT_FALSE(w->saveAsPdf(out.filePath(QStringLiteral("missing/folder/x.pdf"))));
    EXPECT_EQ(messages.count(), 1);
}

} // namespace

namespace {

// Runs `steps` inside the modal window's own loop; a guard closes a window
// left open and fails the test.
template <typename Window> void whileModal(const std::function<void(Window *)> &steps)
{
    QTimer::singleShot(0, [steps] {
        auto *w = qobject_cast<Window *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        steps(w);
    });
    QTimer::singleShot(5000, [] {
        if (auto *w = qobject_cast<Window *>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "modal window stayed open";
            w->reject();
        }
    });
}

TEST(ChoiceWindowTest, TheChoiceWindowsHandBackWhatWasChosen)
{
    whileModal<Ervthsh>([](Ervthsh *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Ερώτηση"));
        EXPECT_TRUE(child<QRadioButton>(w, "Option1(0)")->isChecked());  // "Αναλυτικά" preset
        child<QRadioButton>(w, "Option1(1)")->click();
        clickButton(child<QPushButton>(w, "SSCommand1"));
    });
    EXPECT_FALSE(Ervthsh::ask(nullptr).analytic);

    whileModal<FormaTajinomhshs>([](FormaTajinomhshs *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Ταξινόμηση"));
        EXPECT_EQ(child<QCheckBox>(w, "Check1")->text(), QStringLiteral("Μόνο οι ενεργοί"));
        child<QRadioButton>(w, "Option1(2)")->click();
        child<QCheckBox>(w, "Check1")->click();
        clickButton(child<QPushButton>(w, "SSCommand1"));
    });
    const reports::SortChoice sort = FormaTajinomhshs::ask(nullptr);
    EXPECT_EQ(sort.order, reports::SortChoice::ByGroup);
    EXPECT_TRUE(sort.onlyActive);
}

} // namespace

namespace {

TEST_F(ReportWindowTest, TheAnalysisShowsItsSetUpWindowFirstAndReadsItAfterTheSave)
{
    whileModal<AnalyshFRM>([](AnalyshFRM *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Ανάλυση ταμείου ημέρας: 02-03-2026"));
        w->chooseCode(0);  // the picker lists by description: ΑΓΟΡΕΣ (20) first
        w->pickLine(0);
        w->save();
    });
    select(8);
    tab->PrintSelected();
    ASSERT_NE(tab->reportWindow(), nullptr);
    const auto rows = tab->reportWindow()->engine().document().tableRows(1);
    ASSERT_EQ(rows.size(), 6u);
    // Group 1 follows code 20 alone: 0 - 320,45; the till holds the rest.
    EXPECT_EQ(rows[1][3], QStringLiteral("-320,45"));
    EXPECT_EQ(rows[5][3], QStringLiteral("1.500,00"));
    delete AnalyshFRM::instance();
}

} // namespace

namespace {

// Qt shows a progress window on its own timer (about four seconds) whatever
// its minimum duration says; a user who thinks longer than that at a question
// must still be answering the question, and the report must come out whole.
TEST_F(ReportWindowTest, AQuestionAnsweredAfterSixSecondsLeadsToTheWholeReport)
{
    // More rows than one progress step, so a stop would show in the totals.
    for (int i = 0; i < 150; ++i)
        folder.main().execute(QStringLiteral("insert into kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, "
                                             "aa_omada, grammh, epitagh, L_tajeos) values (10,?,'ΕΙΣΠΡΑΞΗ',?,0,0,'',0,0)"),
                              QDate(2026, 3, 2), Money::fromCents(100));
    select(4);
    bool progressOverQuestion = false;
    ModalSteps steps(
        [&](QWidget *shown) {
            ASSERT_EQ(shown->windowTitle(), QStringLiteral("Ερώτηση"));
            QTest::qWait(6000);
            for (QWidget *w : QApplication::topLevelWidgets())
                progressOverQuestion |= qobject_cast<QProgressDialog *>(w) && w->isVisible();
            EXPECT_EQ(QApplication::activeModalWidget(), shown);
            clickButton(child<QPushButton>(shown, "SSCommand1"));
        },
        20000);
    tab->PrintSelected();
    EXPECT_TRUE(steps.ran());
    EXPECT_FALSE(progressOverQuestion) << "a progress window stood over the question";
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->windowTitle().contains(QStringLiteral("ελλιπής"))) << w->windowTitle().toStdString();
    // 1.500,00 booked by the fixture and 150 × 1,00: the income total is whole.
    const auto rows = w->engine().document().tableRows(1);
    ASSERT_FALSE(rows.empty());
    const QStringList totals = rows[rows.size() - 2];
    EXPECT_EQ(totals.value(3), QStringLiteral("Σύνολα"));
    EXPECT_EQ(totals.value(5), regional::formatMoney(Money::fromCents(150000 + 150 * 100)));
}

TEST_F(ReportWindowTest, GroupCardAsksForTheColumnsFirstAndPrintsThem)
{
    const int sales = folder.addGroup(QStringLiteral("ΠΩΛΗΣΕΙΣ"));
    folder.main().execute(QStringLiteral("update kvdikoi set aa_omadas=?, omada='ΠΩΛΗΣΕΙΣ' where kvdikos=10"), sales);
    folder.main().execute(QStringLiteral("update kinhseis set aa_omada=? where kvdikos=10"), sales);
    tab->EnterPage(QStringLiteral("01-03-2026"), QStringLiteral("31-03-2026")); // the tab's lists read again
    select(6);
    ModalSteps steps([&](QWidget *shown) {
        ASSERT_EQ(shown->objectName(), QStringLiteral("EpiloghOmadvn"));
        auto *middle = shown->findChild<QListWidget *>(QStringLiteral("List1(1)"));
        ASSERT_NE(middle, nullptr);
        ASSERT_EQ(middle->count(), 1);
        middle->item(0)->setCheckState(Qt::Checked);
        shown->close();
    });
    tab->PrintSelected();
    EXPECT_TRUE(steps.ran());
    ASSERT_NE(tab->reportWindow(), nullptr);
    const pages::Document &doc = tab->reportWindow()->engine().document();
    EXPECT_EQ(doc.tableHeading(1).value(2), QStringLiteral("ΠΩΛΗΣΕΙΣ"));
    const auto rows = doc.tableRows(1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value(3), QStringLiteral("1.500,00"));
    EXPECT_EQ(settings::read(QStringLiteral("Omades"), QStringLiteral("Omada(1)")),
              QStringLiteral("( aa_omada=%1)").arg(sales));
}

} // namespace

namespace {

// A CSV line as a spreadsheet splits it: ";" between cells, quotes around
// cells that hold ";" or quotes, doubled quotes inside.
QStringList splitCsvLine(const QString &line)
{
    QStringList cells;
    QString cell;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            cell += c;
            ++i;
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(';') && !quoted) {
            cells << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells << cell;
    return cells;
}

TEST_F(ReportWindowTest, DaySheetSavedAsCsvReadsBackWithItsAmounts)
{
    select(1);
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("ταμείο.csv"));
    QString suggested;
    Ektypvsh::setSaveFileQuestion([&](QWidget *, const QString &s) {
        suggested = s;
        return file;
    });
    w->saveCsvItem()->trigger();
    EXPECT_TRUE(suggested.endsWith(QStringLiteral(".csv")));

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const pages::Document &doc = w->engine().document();
    ASSERT_GE(doc.tableCount(), 1);
    ASSERT_GE(lines.size(), 3);
    QStringList heading;
    for (const QString &h : doc.tableHeading(1))
        heading << h.trimmed();
    EXPECT_EQ(splitCsvLine(lines[0]), heading);

    // Every amount booked on the day is read back as the same money from its
    // movement's line.
    Money income, expense;
    for (const QString &line : lines) {
        if (!line.contains(QStringLiteral("ΚΙΝΗΣΗ")))
            continue;
        for (const QString &cell : splitCsvLine(line)) {
            if (cell == QStringLiteral("1.500,00"))
                income += *regional::parseMoney(cell);
            if (cell == QStringLiteral("320,45"))
                expense += *regional::parseMoney(cell);
        }
    }
    EXPECT_EQ(income, Money::fromCents(150000));
    EXPECT_EQ(expense, Money::fromCents(32045));
    EXPECT_EQ(messages.count(), 0);

    EXPECT_FALSE(w->saveAsCsv(out.filePath(QStringLiteral("missing/folder/x.csv"))));
    EXPECT_EQ(messages.count(), 1);
}

TEST(CsvCells, SeparatorsAndQuotesInATextSurviveTheRoundTrip)
{
    pages::Engine engine;
    engine.StartDoc();
    engine.AddTable(QStringLiteral("<3000|>1500"), QStringLiteral("Περιγραφή|Ποσό"),
                    QStringLiteral("Πληρωμή; \"ΔΕΗ\"|1.234,56"));
    engine.EndDoc();
    const QStringList lines =
        QString::fromUtf8(reports::tablesAsCsv(engine.document()).mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(splitCsvLine(lines[1]), (QStringList{QStringLiteral("Πληρωμή; \"ΔΕΗ\""), QStringLiteral("1.234,56")}));
}

} // namespace

namespace {

TEST_F(ReportWindowTest, SavedFilesGetTheirExtensionAndTheNextDialogOpensWhereTheLastWent)
{
    select(1);  // the day sheet asks nothing first
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    QTemporaryDir out;
    const QString typed = out.filePath(QStringLiteral("κινήσεις μαρτίου"));
    QString suggested;
    Ektypvsh::setSaveFileQuestion([&](QWidget *, const QString &s) {
        suggested = s;
        return typed;
    });
    struct Kind { QAction *item; QString extension; };
    for (const Kind &k : {Kind{w->saveXlsxItem(), QStringLiteral(".xlsx")}, Kind{w->saveCsvItem(), QStringLiteral(".csv")},
                          Kind{w->savePdfItem(), QStringLiteral(".pdf")}}) {
        k.item->trigger();
        EXPECT_TRUE(QFile::exists(typed + k.extension)) << k.extension.toStdString();
        EXPECT_TRUE(w->statusText().contains(typed + k.extension)) << w->statusText().toStdString();
        EXPECT_TRUE(suggested.endsWith(k.extension));
    }
    EXPECT_FALSE(QFile::exists(typed));
    // The last dialog opened in the folder the first file went to.
    EXPECT_EQ(QFileInfo(suggested).absolutePath(), QFileInfo(typed).absolutePath());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(ReportWindowTest, StoppingASaveWritesNoFileAndSaysSo)
{
    for (int i = 0; i < 200; ++i)
        folder.main().execute(QStringLiteral("insert into kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, "
                                             "aa_omada, grammh, epitagh, L_tajeos) values (10,?,'ΕΙΣΠΡΑΞΗ',?,0,0,'',0,0)"),
                              QDate(2026, 3, 2), Money::fromCents(100));
    select(1);  // the day sheet asks nothing first
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_GE(w->engine().PageCount(), 3);
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("μισό.pdf"));
    qint64 of = 0;
    Ektypvsh::setSaveProgressHook([&](qint64 done, qint64 total) {
        of = total;
        return done < 2;
    });
    EXPECT_FALSE(w->saveAsPdf(file));
    Ektypvsh::setSaveProgressHook({});
    EXPECT_EQ(of, w->engine().PageCount());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(w->statusText().contains(QStringLiteral("διακόπηκε"))) << w->statusText().toStdString();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(w->saveAsPdf(file));
    EXPECT_TRUE(QFile::exists(file));
}

TEST_F(ReportWindowTest, TheWindowKeepsItsSizeWithinTheScreen)
{
    select(1);
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(w->width(), area.width());
    EXPECT_LE(w->height(), area.height());
    w->resize(620, 450);
    w->hide();
    tab->PrintSelected();  // a fresh window for the next report
    EXPECT_EQ(tab->reportWindow()->size(), QSize(620, 450));
    // A size kept on a larger screen is brought within this one.
    tab->reportWindow()->hide();
    ASSERT_TRUE(settings::write(QStringLiteral("Ektypvsh"), QStringLiteral("Height"), QStringLiteral("5000")));
    tab->PrintSelected();
    EXPECT_LE(tab->reportWindow()->height(), area.height());
    // The preview fills the window below its tool bar.
    Ektypvsh *last = tab->reportWindow();
    EXPECT_GT(last->Lumo()->height(), 100);
    EXPECT_LE(last->Lumo()->geometry().bottom(), last->centralWidget()->height());
}

TEST_F(ReportWindowTest, TheToolBarTurnsThePagesFromTheKeyboard)
{
    for (int i = 0; i < 200; ++i)
        folder.main().execute(QStringLiteral("insert into kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, "
                                             "aa_omada, grammh, epitagh, L_tajeos) values (10,?,'ΕΙΣΠΡΑΞΗ',?,0,0,'',0,0)"),
                              QDate(2026, 3, 2), Money::fromCents(100));
    select(1);  // the day sheet asks nothing first
    tab->PrintSelected();
    Ektypvsh *w = tab->reportWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    w->activateWindow();
    w->Lumo()->setFocus();
    const int count = w->engine().PageCount();
    ASSERT_GE(count, 3);
    QTest::keyClick(w->Lumo(), Qt::Key_End);
    EXPECT_EQ(w->engine().PreviewPage(), count);
    QTest::keyClick(w->Lumo(), Qt::Key_PageUp);
    EXPECT_EQ(w->engine().PreviewPage(), count - 1);
    EXPECT_EQ(w->toolBar()->pageBox()->text(), QStringLiteral("%1 / %2").arg(count - 1).arg(count));
    QTest::keyClick(w->Lumo(), Qt::Key_Home);
    EXPECT_EQ(w->engine().PreviewPage(), 1);
    const int zoom = w->engine().Zoom();
    QTest::keyClick(w->Lumo(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(w->engine().Zoom(), zoom);
    // Escape leaves the preview as "Επιστροφή" does.
    QTest::keyClick(w->Lumo(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
