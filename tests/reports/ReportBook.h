#pragma once

#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportRunner.h"
#include "support/TestDataFolder.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// A small book for the report tests. It keeps every movement it inserts, so
// that a test can add up the figures a report must show without going
// through the report's own code.
class ReportBook
{
public:
    struct Move
    {
        int code = 0;
        QDate day;
        QString description;
        qint64 incomeCents = 0;
        qint64 expenseCents = 0;
        std::optional<qint64> memoCents = 0; // nullopt: stored as NULL
        bool cheque = false;
        int group = 0;
    };

    TestDataFolder folder;
    QList<Move> moves;
    pages::Engine engine;
    reports::PresetAnswers answers;   // what Ervthsh and FormaTajinomhshs answer
    reports::Progress progress;       // passed to the report as the window would
    static inline const QString Caption = QStringLiteral("Κεντρικό Β");

    // Runs report `number` through the catalog, as the report window does.
    // The typed texts default to the dates written DD-MM-YYYY.
    reports::ReportResult run(int number, const QDate &from, const QDate &to, QList<qint64> codes = {},
                              QList<qint64> groups = {}, const QString &fromText = {})
    {
        reports::ReportInput input;
        input.from = from;
        input.to = to;
        input.fromText = fromText.isEmpty() ? regional::formatDate(from) : fromText;
        input.toText = regional::formatDate(to);
        input.codes = codes;
        input.groups = groups;
        input.headerCaption = Caption;
        input.progress = progress;
        input.answers = reports::askQuestions(number, answers, folder.store(), input);
        return reports::runReport(number, engine, folder.store(), input);
    }
    const pages::Document &doc() const { return engine.document(); }

    static QDate day(int d, int m = 3, int y = 2026) { return QDate(y, m, d); }

    // Adds a movement; its group is the code's group at the time.
    void add(Move m)
    {
        m.group = int(folder.main().scalar(QStringLiteral("SELECT aa_omadas FROM kvdikoi WHERE kvdikos = ?1"),
                                           m.code).toLongLong());
        db::Statement st = folder.main().prepare(QStringLiteral(
            "INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos)"
            " VALUES (?1, ?2, ?3, ?4, ?5, ?6, '', ?7, ?8)"));
        st.bindAll(m.code, m.day, m.description, m.incomeCents * 100, m.expenseCents * 100, m.group, m.cheque);
        if (m.memoCents)
            st.bind(8, *m.memoCents * 100);
        else
            st.bindNull(8);
        st.run();
        moves << m;
    }

    void addDay(const QDate &d, qint64 incomeCents, qint64 expenseCents, qint64 balanceCents)
    {
        folder.main().execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo)"
                                             " VALUES (?1, ?2, ?3, ?4)"),
                              d, incomeCents * 100, expenseCents * 100, balanceCents * 100);
    }

    // Amounts as the reports print them.
    static QString amount(qint64 cents) { return regional::formatMoney(Money::fromCents(cents)); }
    static QString zeroAsZero(qint64 cents) { return cents == 0 ? QStringLiteral("0") : amount(cents); }
    static QString zeroAsBlank(qint64 cents) { return cents == 0 ? QString() : amount(cents); }
};
