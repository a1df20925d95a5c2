#include "ReportRunner.h"

#include "data/StoreFailure.h"
#include "PageFrame.h"
#include "ReportCatalog.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/pages/engine.h"

namespace reports {
namespace {

// Ends the document in progress with a bold line saying it is incomplete;
// returns that line.
QString markIncomplete(pages::Engine &engine, const QString &why)
{
    if (!engine.isDocOpen()) {
        applyPageFrame(engine);
        engine.StartDoc();
    }
    engine.setFontBold(true);
    const QString notice = incompleteNotice() + QStringLiteral(" ") + why;
    engine.setText(QStringLiteral("\r") + notice + QStringLiteral("\r"));
    engine.setFontBold(false);
    engine.EndDoc();
    return notice;
}

} // namespace

QString incompleteNotice()
{
    return QStringLiteral("ΠΡΟΣΟΧΗ: η εκτύπωση δεν ολοκληρώθηκε, τα σύνολα λείπουν ή είναι ελλιπή.");
}

ReportResult runReport(int number, pages::Engine &engine, Store &store, const ReportInput &input)
{
    const ReportBuilder build = reportBuilder(number);
    return runReport(build ? ReportBuild(build) : ReportBuild(), engine, store, input);
}

ReportResult runReport(const ReportBuild &build, pages::Engine &engine, Store &store, const ReportInput &input)
{
    if (!build)
        return {ReportResult::Outcome::Nothing, {}, {}};
    installPageFooter(engine);
    try {
        build(engine, store, input);
        if (engine.isDocOpen())
            engine.EndDoc();
        return {};
    } catch (const db::DbError &e) {
        const QString cause = storefailure::causeLine(e);
        const QString notice = markIncomplete(engine, QStringLiteral("(%1)").arg(cause));
        msg::critical(QStringLiteral("Προσοχή"),
                      QStringLiteral("Η εκτύπωση διακόπηκε από σφάλμα της βάσης δεδομένων:\n%1").arg(cause));
        return {ReportResult::Outcome::Failed, cause, notice};
    } catch (const ReportStopped &) {
        const QString notice = markIncomplete(engine, QStringLiteral("(διακόπηκε από τον χρήστη)"));
        return {ReportResult::Outcome::Stopped, {}, notice};
    }
}

} // namespace reports
