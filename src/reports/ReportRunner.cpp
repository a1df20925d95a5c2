#include "ReportRunner.h"

#include "data/StoreFailure.h"
#include "PageFrame.h"
#include "ReportCatalog.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/pages/engine.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

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

// While a report is built the book keeps fewer decrypted pages, so that they
// and the report's pages together stay bounded; the cache the searches fill
// is given back afterwards.
class SmallerCacheWhileBuilt
{
public:
    explicit SmallerCacheWhileBuilt(db::Database &db) : m_db(db), m_before(db.cacheKilobytes())
    {
        if (m_before > ReportCacheKib) {
            m_db.setCacheKilobytes(ReportCacheKib);
#ifdef __GLIBC__
            // The pages let go lie among other blocks: hand them back to the
            // system rather than keep them beside the report's pages.
            malloc_trim(0);
#endif
        }
    }
    ~SmallerCacheWhileBuilt()
    {
        if (m_before > ReportCacheKib) {
            try {
                m_db.setCacheKilobytes(m_before);
            } catch (const db::DbError &) {
                // A book that failed under the report keeps the smaller cache.
            }
        }
    }
    SmallerCacheWhileBuilt(const SmallerCacheWhileBuilt &) = delete;
    SmallerCacheWhileBuilt &operator=(const SmallerCacheWhileBuilt &) = delete;

private:
    db::Database &m_db;
    int m_before;
};

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
        const SmallerCacheWhileBuilt cache(store.main());
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
