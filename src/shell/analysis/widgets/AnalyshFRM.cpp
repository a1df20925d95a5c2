#include "AnalyshFRM.h"

#include "data/StoreFailure.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<AnalyshFRM> &theWindow()
{
    static QPointer<AnalyshFRM> window;
    return window;
}

constexpr int groupOfSlot(int slot) { return slot / 2 + 1; }

} // namespace

AnalyshFRM::AnalyshFRM(db::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("AnalyshFRM"));
    setModal(true);
    buildControls();
}

void AnalyshFRM::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    m_frame[0] = new QGroupBox(QStringLiteral("(Τράπεζες ή κωδικοί που ΔΕΝ είναι μετρητά"), this);
    m_frame[0]->setObjectName(ui::arrayName("SSFrame1", 0));
    outer->addWidget(m_frame[0]);
    auto *groups = new QGridLayout(m_frame[0]);
    for (int g = 1; g <= analysis::GroupCount; ++g) {
        QGroupBox *frame = new QGroupBox(m_frame[0]);
        frame->setObjectName(ui::arrayName("SSFrame1", g));
        frame->setToolTip(QStringLiteral("Διπλό κλικ για να αλλάξετε τη περιγραφή της ομάδας"));
        frame->installEventFilter(this);
        m_frame[g] = frame;
        groups->addWidget(frame, (g - 1) / 2, (g - 1) % 2);
        auto *slotGrid = new QGridLayout(frame);
        for (int k = 0; k < 2; ++k) {
            const int i = (g - 1) * 2 + k;
            m_label[i] = new QLabel(k == 0 ? QStringLiteral("Κωδ. εσόδου ομάδας") : QStringLiteral("Κωδ. εξόδου ομάδας"),
                                    frame);
            m_label[i]->setObjectName(ui::arrayName("Label1", i));
            m_slot[i] = new QLineEdit(frame);
            m_slot[i]->setObjectName(ui::arrayName("Text1", i));
            m_slot[i]->setReadOnly(true);
            m_slot[i]->setMinimumWidth(260);
            m_slot[i]->setToolTip(QStringLiteral("Πατήστε DELγια τη διαγραφή της ομάδας"));
            m_slot[i]->installEventFilter(this);
            m_choose[i] = new QPushButton(QStringLiteral("..."), frame);
            m_choose[i]->setObjectName(ui::arrayName("Command2", i));
            m_choose[i]->setFixedWidth(30);
            connect(m_choose[i], &QPushButton::clicked, this, [this, i] { chooseCode(i); });
            slotGrid->addWidget(m_label[i], k * 2, 0, 1, 2);
            slotGrid->addWidget(m_slot[i], k * 2 + 1, 0);
            slotGrid->addWidget(m_choose[i], k * 2 + 1, 1);
        }
    }
    m_picker = new QComboBox(m_frame[0]);
    m_picker->setObjectName(QStringLiteral("Combo1"));
    m_picker->hide();
    connect(m_picker, &QComboBox::activated, this, &AnalyshFRM::pickLine);
    m_captionEditor = new QLineEdit(m_frame[0]);
    m_captionEditor->setObjectName(ui::arrayName("Text2", 0));
    m_captionEditor->hide();
    m_captionEditor->installEventFilter(this);

    m_save = new QPushButton(QStringLiteral("Αποθήκευση"), this);
    m_save->setObjectName(ui::arrayName("Command1", 0));
    connect(m_save, &QPushButton::clicked, this, &AnalyshFRM::save);
    outer->addWidget(m_save, 0, Qt::AlignHCenter);
}

void AnalyshFRM::load(const QString &startDate)
{
    setWindowTitle(QStringLiteral("Ανάλυση ταμείου ημέρας: ") + startDate);
    m_pickerFilled = false;
    m_picker->hide();
    m_captionEditor->hide();
    const analysis::AnalysisSetup stored = analysis::loadAnalysisSetup();
    for (int g = 1; g <= analysis::GroupCount; ++g)
        m_frame[g]->setTitle(stored.captions[size_t(g - 1)]);
    for (int i = 0; i < analysis::SlotCount; ++i)
        setSlot(i, stored.slotTexts[size_t(i)], stored.slotTags[size_t(i)]);
    adjustSize();
    ui::CenterForm(this);
}

void AnalyshFRM::setSlot(int slot, const QString &text, const QString &tag)
{
    m_slot[slot]->setText(text);
    m_slot[slot]->setProperty("Tag", tag);
}

analysis::AnalysisSetup AnalyshFRM::setup() const
{
    analysis::AnalysisSetup setup;
    for (int g = 1; g <= analysis::GroupCount; ++g)
        setup.captions[size_t(g - 1)] = m_frame[g]->title();
    for (int i = 0; i < analysis::SlotCount; ++i) {
        setup.slotTexts[size_t(i)] = m_slot[i]->text();
        setup.slotTags[size_t(i)] = m_slot[i]->property("Tag").toString();
    }
    return setup;
}

void AnalyshFRM::fillPicker()
{
    m_picker->clear();
    db::Statement codes = m_db.prepare(QStringLiteral(
        "SELECT kvdikos, CAST(kvdikos AS TEXT) || ' ' || IFNULL(perigrafh, '') FROM kvdikoi ORDER BY perigrafh"));
    while (codes.next())
        m_picker->addItem(codes.text(1), QString::number(codes.integer(0)));
    m_pickerFilled = true;
}

void AnalyshFRM::chooseCode(int slot)
{
    if (BusyGuard::isBusy(this))
        return;
    if (!m_pickerFilled) {
        try {
            fillPicker();
        } catch (const db::DbError &e) {
            storefailure::reportReadError(e);
            return;
        }
    }
    m_pickerSlot = slot;
    const QPoint at = m_slot[slot]->mapTo(m_frame[0], QPoint(0, 0));
    m_picker->setGeometry(QRect(at, m_slot[slot]->size()));
    m_picker->setCurrentIndex(-1);
    m_picker->show();
    m_picker->raise();
    m_picker->setFocus();
}

void AnalyshFRM::pickLine(int line)
{
    if (m_pickerSlot < 0 || line < 0 || line >= m_picker->count())
        return;
    setSlot(m_pickerSlot, m_picker->itemText(line), m_picker->itemData(line).toString());
    m_picker->hide();
}

void AnalyshFRM::editCaption(int group)
{
    m_editedGroup = group;
    QGroupBox *frame = m_frame[group];
    const QPoint at = frame->mapTo(m_frame[0], QPoint(0, 0));
    m_captionEditor->setGeometry(at.x(), at.y(), frame->width(), m_captionEditor->sizeHint().height());
    m_captionEditor->setText(frame->title());
    m_captionEditor->show();
    m_captionEditor->raise();
    m_captionEditor->setFocus();
    m_captionEditor->selectAll();
}

// Enter and Escape both keep what was typed.
void AnalyshFRM::finishCaptionEdit()
{
    if (m_editedGroup >= 1 && m_editedGroup <= analysis::GroupCount)
        m_frame[m_editedGroup]->setTitle(m_captionEditor->text());
    m_captionEditor->hide();
}

void AnalyshFRM::save()
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard busy(this);
    // The report uses what is on screen either way; the user is told that it
    // will not be there at the next start.
    if (!analysis::saveAnalysisSetup(setup()))
        msg::critical(QStringLiteral("Ανάλυση ταμείου"),
                      QStringLiteral("Οι ρυθμίσεις της ανάλυσης δεν αποθηκεύτηκαν στο αρχείο ρυθμίσεων."));
    // Hides the window; the report reads the set-up from it afterwards.
    accept();
}

bool AnalyshFRM::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_captionEditor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            finishCaptionEdit();
            return true;
        }
        return false;
    }
    for (int g = 1; g <= analysis::GroupCount; ++g)
        if (watched == m_frame[g] && event->type() == QEvent::MouseButtonDblClick) {
            editCaption(g);
            return true;
        }
    for (int i = 0; i < analysis::SlotCount; ++i) {
        if (watched != m_slot[i] || event->type() != QEvent::KeyPress)
            continue;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete) {
            setSlot(i, QString(), QString());
            return true;
        }
        // Typing in a slot is swallowed; only the picker fills it.
        return !key->text().isEmpty() || key->key() == Qt::Key_Backspace;
    }
    return QDialog::eventFilter(watched, event);
}

AnalyshFRM *AnalyshFRM::instance() { return theWindow(); }

analysis::AnalysisSetup AnalyshFRM::ask(db::Database &db, const QString &startDate)
{
    if (!theWindow())
        theWindow() = new AnalyshFRM(db);
    AnalyshFRM *window = theWindow();
    window->load(startDate);
    const bool saved = window->exec() == QDialog::Accepted;
    return saved ? window->setup() : analysis::loadAnalysisSetup();
}
