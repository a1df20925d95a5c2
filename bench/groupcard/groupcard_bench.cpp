// The group card over the last year of the generated ten-year book, three
// columns of about a third of the groups each: from the start of the report
// to the report window shown, beside the bare queries of the three columns.
// Usage: kelvora-bench-groupcard [FOLDER]  (a book is generated into a
// temporary folder when none is given).
#include "bench/support/Timing.h"
#include "bench/support/BookGenerator.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "groups/GroupColumns.h"
#include "platform/db/Database.h"
#include "platform/db/Statement.h"
#include "platform/desktop/Settings.h"
#include "platform/pages/engine.h"
#include "reports/GroupCardData.h"
#include "reports/widgets/Ektypvsh.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using benchsupport::median;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.filePath(QStringLiteral("book"));
    if (argc <= 1) {
        const benchsupport::GeneratedBook book = benchsupport::generateBook(folder);
        std::printf("generated book: %d movements on %d days\n", book.movements, book.days);
    }
    settings::useFile(scratch.filePath(QStringLiteral("kelvora.ini")));
    Store store(folder, globals().DbPassword);

    // The groups of the reports tab, dealt round the three columns.
    QList<groups::GroupEntry> all;
    {
        db::Statement st = store.main().prepare(QStringLiteral("select aa, perigrafh from omades order by aa"));
        while (st.next())
            all.append({st.text(1), st.integer(0)});
    }
    std::array<QList<groups::GroupEntry>, 3> chosen;
    for (int k = 0; k < all.size(); ++k)
        chosen[k % 3].append(all[k]);
    for (int i = 0; i < 3; ++i)
        if (!groups::saveColumn(i, groups::storedColumn(chosen[i], QList<bool>(chosen[i].size(), true))))
            std::printf("the settings could not be written\n");

    const QDate last = store.main().scalar(QStringLiteral("select max(hmeromhnia) from kinhseis")).toDate();
    reports::PresetAnswers answers;
    reports::ReportInput input;
    input.to = last;
    input.from = last.addYears(-1).addDays(1);
    input.headerCaption = QStringLiteral("Κεντρικό");

    std::vector<double> shown, bare, read;
    int pages = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        auto window = std::make_unique<Ektypvsh>(store);
        window->load(6, input, &answers);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            std::printf("the window was not shown\n");
        shown.push_back(double(t.nsecsElapsed()) / 1e6);
        pages = window->engine().PageCount();

        t.restart();
        qint64 rows = 0;
        for (int i = 0; i < 3; ++i) {
            QString numbers = QStringLiteral(",");
            for (const groups::GroupEntry &g : chosen[i])
                numbers += QString::number(g.number) + QLatin1Char(',');
            db::Statement st = store.main().prepare(QStringLiteral(
                "select kinhseis.aa, kinhseis.perigrafh, kinhseis.esoda, kinhseis.ejoda from kinhseis "
                "where hmeromhnia between ?1 and ?2 and instr(?3, ',' || aa_omada || ',') > 0"));
            st.bindAll(input.from, input.to, numbers);
            while (st.next())
                ++rows;
        }
        bare.push_back(double(t.nsecsElapsed()) / 1e6);

        std::array<groups::ColumnChoice, 3> choices;
        for (int i = 0; i < 3; ++i)
            choices[i] = groups::readColumnChoice(i);
        t.restart();
        reports::readGroupCard(store.main(), input.from, input.to, choices);
        read.push_back(double(t.nsecsElapsed()) / 1e6);
        if (run == 0)
            std::printf("one year, %lld movements in the three columns, %d pages\n", rows, pages);
    }
    std::printf("group card, start to window shown: median %.0f ms (min %.0f)\n", median(shown),
                *std::min_element(shown.begin(), shown.end()));
    std::printf("of which the card's column queries: median %.1f ms\n", median(read));
    std::printf("bare column queries:               median %.1f ms\n", median(bare));
    return 0;
}
