#include "SearchWindow.h"

#include "ResultsModel.h"
#include "cashbook/codes/CodeQueries.h"
#include "cashbook/widgets/EntryFilters.h"
#include "data/AppGlobals.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/widgets/AmountKeyFilter.h"
#include "platform/desktop/widgets/OneLineText.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/regional/Clock.h"
#include "platform/regional/GreekFormats.h"
#include "reports/FileNames.h"
#include "reports/ReportInput.h"
#include "reports/widgets/Ektypvsh.h"
#include "platform/pages/widgets/previewwidget.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace search {
namespace {

const QString Attention = QStringLiteral("Προσοχή");

constexpr int CodeRole = Qt::UserRole;

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

QLabel *labelFor(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

SearchWindow::~SearchWindow() = default;

SearchWindow::SearchWindow(Store &store, QWidget *parent) : QDialog(parent), m_store(store)
{
    setObjectName(QStringLiteral("SearchWindow"));
    setWindowTitle(resultsTitle());
    buildControls();
    refreshCodes();
    showTotals();
    resize(940, 600);
    m_words->setFocus();
    ui::CenterWhenShown(this);
    ui::NameControlsForAccessibility(this);
}

void SearchWindow::buildControls()
{
    auto makeBox = [this](const char *name, int maxLength, Qt::Alignment align) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMaxLength(maxLength);
        box->setAlignment(align);
        return box;
    };
    m_words = makeBox("words", 50, Qt::AlignLeft);
    ui::SetOneLineText(m_words);
    // Words are found by their beginning, as the words table keeps them: the
    // inside of a word would need every description read.
    m_words->setPlaceholderText(QStringLiteral("την αρχή λέξεων της περιγραφής, π.χ. ενοικ μαρτ"));
    m_words->setToolTip(QStringLiteral("Κάθε λέξη που γράφετε πρέπει να είναι η αρχή μιας λέξης της περιγραφής,\n"
                                       "χωρίς διάκριση κεφαλαίων, πεζών και τόνων: «ενοικ» βρίσκει το «Ενοίκιο», το «οικ» όχι."));
    m_amountFrom = makeBox("amountFrom", 18, Qt::AlignRight);
    m_amountTo = makeBox("amountTo", 18, Qt::AlignRight);
    for (QLineEdit *amount : {m_amountFrom, m_amountTo})
        ui::installAmountKeyFilter(amount);
    m_dateFrom = makeBox("dateFrom", 11, Qt::AlignCenter);
    m_dateTo = makeBox("dateTo", 11, Qt::AlignCenter);
    for (QLineEdit *date : {m_dateFrom, m_dateTo}) {
        cashbook::installDateKeyFilter(date);
        date->setFixedWidth(110);
    }

    m_codes = new QListWidget(this);
    m_codes->setObjectName(QStringLiteral("codes"));
    m_codes->setToolTip(QStringLiteral("Διάστημα για επιλογή ή απεπιλογή κωδικού"));
    m_codes->setMaximumHeight(110);
    m_cheques = new QCheckBox(QStringLiteral("Μόνο επιταγές"), this);
    m_cheques->setObjectName(QStringLiteral("chequesOnly"));

    m_search = new QPushButton(QStringLiteral("Αναζήτηση"), this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setDefault(true);
    connect(m_search, &QPushButton::clicked, this, [this] { runSearch(); });

    auto *criteria = new QGridLayout;
    criteria->addWidget(labelFor(QStringLiteral("Λέξεις της περιγραφής"), m_words, this), 0, 0);
    criteria->addWidget(m_words, 0, 1, 1, 5);
    criteria->addWidget(labelFor(QStringLiteral("Ποσό από"), m_amountFrom, this), 1, 0);
    criteria->addWidget(m_amountFrom, 1, 1);
    criteria->addWidget(labelFor(QStringLiteral("έως"), m_amountTo, this), 1, 2);
    criteria->addWidget(m_amountTo, 1, 3);
    criteria->addWidget(labelFor(QStringLiteral("Από ημερομηνία"), m_dateFrom, this), 2, 0);
    criteria->addWidget(m_dateFrom, 2, 1, Qt::AlignLeft);
    criteria->addWidget(labelFor(QStringLiteral("έως"), m_dateTo, this), 2, 2);
    criteria->addWidget(m_dateTo, 2, 3, Qt::AlignLeft);
    criteria->addWidget(labelFor(QStringLiteral("Κωδικοί"), m_codes, this), 0, 6, Qt::AlignTop);
    criteria->addWidget(m_codes, 0, 7, 3, 1);
    criteria->addWidget(m_cheques, 3, 1, 1, 3);
    criteria->addWidget(m_search, 3, 7, Qt::AlignRight);
    criteria->setColumnStretch(1, 1);
    criteria->setColumnStretch(3, 1);
    criteria->setColumnStretch(7, 2);

    m_model = new ResultsModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("results"));
    m_table->setAccessibleName(QStringLiteral("Κινήσεις που βρέθηκαν"));
    m_table->setToolTip(QStringLiteral("Enter ή διπλό κλίκ για να φανεί η κίνηση στο ταμείο"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    header->resizeSection(0, 100);
    header->resizeSection(1, 60);
    header->resizeSection(3, 140);
    header->resizeSection(4, 140);
    header->resizeSection(5, 40);
    m_table->installEventFilter(this);
    connect(m_table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) { openRow(index.row()); });

    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("totals"));
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_listedNote = new QLabel(this);
    m_listedNote->setObjectName(QStringLiteral("listedNote"));
    m_listedNote->setWordWrap(true);
    m_listedNote->hide();
    m_print = new QPushButton(QStringLiteral("Εκτύπωση…"), this);
    m_print->setObjectName(QStringLiteral("print"));
    m_print->setToolTip(QStringLiteral("Προεπισκόπηση και εκτύπωση όλων των κινήσεων που βρέθηκαν"));
    m_saveCsv = new QPushButton(QStringLiteral("Αποθήκευση σε CSV"), this);
    m_saveCsv->setObjectName(QStringLiteral("saveCsv"));
    m_saveXlsx = new QPushButton(QStringLiteral("Αποθήκευση σε Excel (.xlsx)"), this);
    m_saveXlsx->setObjectName(QStringLiteral("saveXlsx"));
    auto *close = new QPushButton(QStringLiteral("Κλείσιμο"), this);
    close->setObjectName(QStringLiteral("close"));
    for (QPushButton *b : {m_print, m_saveCsv, m_saveXlsx, close})
        b->setAutoDefault(false);
    connect(m_print, &QPushButton::clicked, this, [this] { printResults(); });
    connect(m_saveCsv, &QPushButton::clicked, this, [this] { save(SaveKind::Csv); });
    connect(m_saveXlsx, &QPushButton::clicked, this, [this] { save(SaveKind::Xlsx); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_totals, 1);
    bottom->addWidget(m_print);
    bottom->addWidget(m_saveCsv);
    bottom->addWidget(m_saveXlsx);
    bottom->addWidget(close);

    auto *column = new QVBoxLayout(this);
    column->addLayout(criteria);
    column->addWidget(m_table, 1);
    column->addWidget(m_listedNote);
    column->addLayout(bottom);

    setTabOrder(m_words, m_amountFrom);
    setTabOrder(m_amountFrom, m_amountTo);
    setTabOrder(m_amountTo, m_dateFrom);
    setTabOrder(m_dateFrom, m_dateTo);
    setTabOrder(m_dateTo, m_codes);
    setTabOrder(m_codes, m_cheques);
    setTabOrder(m_cheques, m_search);
    setTabOrder(m_search, m_table);
    setTabOrder(m_table, m_print);
    setTabOrder(m_print, m_saveCsv);
    setTabOrder(m_saveCsv, m_saveXlsx);
    setTabOrder(m_saveXlsx, close);
}

void SearchWindow::refreshCodes()
{
    QList<codes::CodeRow> rows;
    try {
        rows = codes::allCodes(m_store.main());
    } catch (const db::DbError &e) {
        storefailure::reportReadError(e);
    }
    QSet<int> checked;
    for (int i = 0; i < m_codes->count(); ++i)
        if (m_codes->item(i)->checkState() == Qt::Checked)
            checked.insert(m_codes->item(i)->data(CodeRole).toInt());
    m_codes->clear();
    for (const codes::CodeRow &c : rows) {
        auto *item = new QListWidgetItem(c.lista, m_codes);
        item->setData(CodeRole, int(c.kvdikos));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(checked.contains(int(c.kvdikos)) ? Qt::Checked : Qt::Unchecked);
    }
    if (m_codes->count() > 0)
        m_codes->setCurrentRow(0);
}

TypedCriteria SearchWindow::typed() const
{
    TypedCriteria t;
    t.words = m_words->text();
    t.amountFrom = m_amountFrom->text();
    t.amountTo = m_amountTo->text();
    t.dateFrom = m_dateFrom->text();
    t.dateTo = m_dateTo->text();
    for (int i = 0; i < m_codes->count(); ++i)
        if (m_codes->item(i)->checkState() == Qt::Checked)
            t.codes << m_codes->item(i)->data(CodeRole).toInt();
    t.chequesOnly = m_cheques->isChecked();
    return t;
}

bool SearchWindow::runSearch()
{
    const ReadCriteria read = readCriteria(typed(), Clock::today());
    if (!read.criteria) {
        msg::information(QStringLiteral("Αναζήτηση"), read.refusal);
        return false;
    }
    // The days typed are shown as every date box shows them.
    if (read.criteria->from.isValid())
        m_dateFrom->setText(regional::formatDate(read.criteria->from));
    if (read.criteria->to.isValid())
        m_dateTo->setText(regional::formatDate(read.criteria->to));
    try {
        m_model->setResults(findMovements(m_store.main(), *read.criteria));
    } catch (const db::DbError &e) {
        storefailure::reportReadError(e);
        return false;
    }
    m_searched = *read.criteria;
    showTotals();
    if (m_model->rowCount() > 0) {
        m_table->selectRow(0);
        m_table->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

const Results &SearchWindow::results() const
{
    return m_model->results();
}

void SearchWindow::showTotals()
{
    static const QLocale greek(QLocale::Greek, QLocale::Greece);
    const Results &r = m_model->results();
    m_totals->setText(QStringLiteral("Κινήσεις: %1    Σύνολο εσόδων: %2    Σύνολο εξόδων: %3")
                          .arg(greek.toString(r.count))
                          .arg(regional::formatMoney(r.income), regional::formatMoney(r.expense)));
    // The count and the totals are of every found movement; the list shows
    // the latest of them when they are many.
    m_listedNote->setVisible(!r.allListed());
    if (!r.allListed())
        m_listedNote->setText(QStringLiteral("Εμφανίζονται οι %1 πιο πρόσφατες από τις %2 κινήσεις που βρέθηκαν· "
                                             "τα σύνολα είναι όλων. Μια στενότερη αναζήτηση τις εμφανίζει όλες· "
                                             "η εκτύπωση και η αποθήκευση τις περιέχουν όλες.")
                                  .arg(greek.toString(r.rows.size()), greek.toString(r.count)));
    for (QPushButton *b : {m_print, m_saveCsv, m_saveXlsx})
        b->setEnabled(r.count > 0);
}

Ektypvsh *SearchWindow::printResults()
{
    if (m_model->results().count == 0)
        return nullptr;
    reports::ReportInput input;
    input.title = resultsTitle();
    input.fromText = input.toText = criteriaText(m_searched);
    input.headerCaption = globals().HeaderCaption;
    const Criteria criteria = m_searched;
    // One report window for the search's results, made anew for each print.
    m_report.reset();
    m_report = std::make_unique<Ektypvsh>(m_store, nullptr);
    m_report->load([criteria](pages::Engine &engine, Store &store, const reports::ReportInput &in) {
        buildResultsReport(engine, store, criteria, in);
    }, input);
    m_report->show();
    m_report->raise();
    m_report->activateWindow();
    m_report->Lumo()->setFocus();
    return m_report.get();
}

void SearchWindow::openRow(int row)
{
    const Results &r = m_model->results();
    if (row < 0 || row >= r.rows.size())
        return;
    // The window steps aside for the cash sheet (it would stay above it, as
    // its own window); Ctrl+F brings it back with its results.
    const Found found = r.rows[row];
    hide();
    emit openMovement(found.day, found.aa);
}

void SearchWindow::save(SaveKind kind)
{
    const reports::FileKind fileKind = kind == SaveKind::Csv ? reports::FileKind::Csv : reports::FileKind::Xlsx;
    const QString filter = kind == SaveKind::Csv ? QStringLiteral("CSV (*.csv)") : QStringLiteral("Excel (*.xlsx)");
    const QString chosen = QFileDialog::getSaveFileName(
        this, kind == SaveKind::Csv ? m_saveCsv->text() : m_saveXlsx->text(), reports::lastSaveFolder(), filter);
    if (chosen.isEmpty())
        return;
    const QString fileName = reports::withExtension(chosen, fileKind);
    if (saveTo(kind, fileName))
        reports::rememberFolder(fileName);
}

bool SearchWindow::saveTo(SaveKind kind, const QString &fileName)
{
    std::optional<db::DbError> failure;
    bool written = false;
    {
        // Every found movement is read again and written: seconds for a whole book.
        BusyGuard busy(this);
        try {
            written = saveResults(m_store, m_searched, kind, fileName);
        } catch (const db::DbError &e) {
            failure = e;
        }
    }
    if (failure)
        storefailure::reportReadError(*failure);
    else if (!written)
        msg::critical(Attention, QStringLiteral("Δεν ήταν δυνατή η αποθήκευση του αρχείου\n%1").arg(fileName));
    return written;
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent *>(event))) {
        openRow(m_table->currentIndex().row());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace search
