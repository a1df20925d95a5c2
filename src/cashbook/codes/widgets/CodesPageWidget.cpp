#include "CodesPageWidget.h"

#include "cashbook/codes/CodeOperations.h"
#include "cashbook/codes/CodeQueries.h"
#include "data/Store.h"
#include "groups/GroupQueries.h"
#include "groups/widgets/OmadaKvdikvn.h"
#include "data/StoreFailure.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/OneLineText.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/regional/GreekFormats.h"
#include "shell/contracts/MainWindowState.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

enum Button { ChangeButton = 6, DeleteButton = 7 };

QLabel *makeLabel(int element, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(ui::arrayName("Label1", element));
    return label;
}

void fillWithCodes(QListWidget *list, const QList<codes::CodeRow> &rows)
{
    const QSignalBlocker quiet(list); // a refill is not the user choosing an entry
    list->clear();
    for (const codes::CodeRow &c : rows) {
        auto *item = new QListWidgetItem(c.lista, list);
        item->setData(Qt::UserRole, c.id);
    }
}

} // namespace

CodesPageWidget::CodesPageWidget(PageContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("CodesPage"));
    buildControls();
    ui::InstallEnterAsTab(this);
    // A database that cannot be read here is the main window's to report.
    RequeryCodes();
    requeryGroups();
    requeryGroupCodes();
    showChangeButtons(false);
}

void CodesPageWidget::buildControls()
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 6, 6, 6);
    row->setSpacing(10);

    auto *left = new QVBoxLayout;
    left->addWidget(buildDetailsFrame());
    left->addStretch(1);
    row->addLayout(left, 0);

    auto *middle = new QVBoxLayout;
    middle->setSpacing(2);
    m_lists[0] = new QListWidget(this);
    middle->addWidget(makeLabel(8, QStringLiteral("Διαθέσιμοι κωδικοί "), this));
    middle->addWidget(m_lists[0]);
    row->addLayout(middle, 3);

    auto *right = new QVBoxLayout;
    right->setSpacing(2);
    m_lists[1] = new QListWidget(this);
    m_lists[1]->setToolTip(QStringLiteral("Διπλό κλίκ για την αντοιστίχηση της ομάδας στο κωδικό"));
    right->addWidget(makeLabel(9, QStringLiteral("Ομάδες κωδικών"), this));
    right->addWidget(m_lists[1], 1);
    auto *groupCodes = new QGroupBox(QStringLiteral("Κωδικοί στην ομάδα"), this);
    groupCodes->setObjectName(QStringLiteral("Frame1(1)"));
    auto *groupCodesLayout = new QVBoxLayout(groupCodes);
    groupCodesLayout->setContentsMargins(4, 4, 4, 4);
    m_lists[2] = new QListWidget(groupCodes);
    m_lists[2]->setToolTip(QStringLiteral("Κωδικοί που ανήκουν στην ίδια ομάδα"));
    groupCodesLayout->addWidget(m_lists[2]);
    right->addSpacing(6);
    right->addWidget(groupCodes, 1);
    row->addLayout(right, 2);

    for (int i = 0; i < 3; ++i) {
        m_lists[size_t(i)]->setObjectName(ui::arrayName("DBList1", i));
        m_lists[size_t(i)]->setFont(ui::fixedPitchFont());
        m_lists[size_t(i)]->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

    // Each list reacts only to a click on one of its entries, so clicks on an
    // empty list do nothing.
    connect(m_lists[0], &QListWidget::itemClicked, this, [this](QListWidgetItem *item) { loadCode(item, false); });
    connect(m_lists[0], &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { loadCode(item, true); });
    connect(m_lists[1], &QListWidget::itemClicked, this, &CodesPageWidget::onGroupClicked);
    connect(m_lists[1], &QListWidget::itemDoubleClicked, this, &CodesPageWidget::onGroupDoubleClicked);

    // Moving through a list with the keys chooses entries as a click does.
    const auto byKeyboard = [](QListWidget *list) {
        return list->hasFocus() && QGuiApplication::mouseButtons() == Qt::NoButton;
    };
    connect(m_lists[0], &QListWidget::currentItemChanged, this, [this, byKeyboard](QListWidgetItem *item) {
        if (item && byKeyboard(m_lists[0]))
            loadCode(item, false);
    });
    connect(m_lists[1], &QListWidget::currentItemChanged, this, [this, byKeyboard](QListWidgetItem *item) {
        if (item && byKeyboard(m_lists[1]))
            onGroupClicked(item);
    });
}

QWidget *CodesPageWidget::buildDetailsFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Στοιχεία κωδικού"), this);
    frame->setObjectName(QStringLiteral("Frame1(0)"));
    auto *grid = new QGridLayout(frame);
    grid->setVerticalSpacing(8);

    m_code = new QLineEdit(frame);
    m_code->setObjectName(QStringLiteral("Text1(4)"));
    // Five digits: the number fills the five columns of every code list and line.
    m_code->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), m_code));
    m_code->setMaximumWidth(80);
    m_description = new QLineEdit(frame);
    m_description->setObjectName(QStringLiteral("Text1(5)"));
    m_description->setMaxLength(50);
    m_description->setMinimumWidth(190);
    m_groupName = new QLineEdit(frame);
    m_groupName->setObjectName(QStringLiteral("Text1(6)"));
    m_groupName->setMaxLength(25);
    m_income = new QCheckBox(QStringLiteral("Είναι έσοδο;"), frame);
    m_income->setObjectName(QStringLiteral("SSCheck1"));
    m_active = new QCheckBox(QStringLiteral("Eνεργός"), frame);
    m_active->setObjectName(QStringLiteral("SSCheck2"));
    m_active->setChecked(true);
    for (QLineEdit *box : {m_code, m_description, m_groupName})
        ui::SelectTextOnFocus(box);
    for (QLineEdit *box : {m_description, m_groupName})
        ui::SetOneLineText(box);

    grid->addWidget(makeLabel(6, QStringLiteral("Κωδικός"), frame), 0, 0);
    grid->addWidget(m_code, 0, 1);
    grid->addWidget(makeLabel(7, QStringLiteral("Περιγραφή"), frame), 1, 0);
    grid->addWidget(m_description, 1, 1);
    grid->addWidget(makeLabel(10, QStringLiteral("Ομάδα"), frame), 2, 0);
    grid->addWidget(m_groupName, 2, 1);
    grid->addWidget(m_income, 3, 1);
    grid->addWidget(m_active, 4, 1);
    return frame;
}

db::Database &CodesPageWidget::database()
{
    return m_context.state->store->main();
}

codes::CodeInput CodesPageWidget::readInput() const
{
    codes::CodeInput in;
    in.code = m_code->text();
    in.description = m_description->text();
    in.groupName = m_groupName->text();
    in.selectedGroup = m_selectedGroup;
    in.income = m_income->isChecked();
    in.active = m_active->isChecked();
    return in;
}

// A failing statement has been undone by the operation's transaction; the
// user is told why instead of the program stopping.
template <typename Operation> void CodesPageWidget::guarded(Operation op)
{
    try {
        op();
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    }
}

void CodesPageWidget::InsertCode()
{
    guarded([this] {
        const auto saved = codes::insertCode(database(), readInput());
        if (!saved)
            return;
        m_selectedGroup = saved->groupAa;
        RequeryCodes();
        requeryGroupCodes();
    });
}

void CodesPageWidget::ChangeCode()
{
    if (m_currentCodeId == 0)
        return;
    guarded([this] {
        const auto saved = codes::changeCode(database(), m_currentCodeId, readInput());
        if (!saved)
            return;
        m_selectedGroup = saved->groupAa;
        RequeryCodes();
        requeryGroupCodes();
    });
}

void CodesPageWidget::DeleteCode()
{
    if (m_currentCodeId == 0)
        return;
    guarded([this] {
        if (!codes::deleteCode(database(), m_currentCodeId))
            return;
        m_currentCodeId = 0;
        showChangeButtons(false);
        RequeryCodes();
        requeryGroupCodes();
    });
}

void CodesPageWidget::EditGroups()
{
    guarded([this] {
        // The group name in the box follows a rename of the group it came from.
        const auto before = groups::groupById(database(), m_selectedGroup);
        {
            OmadaKvdikvn window(database(), this->window());
            window.exec();
        }
        requeryGroups();
        requeryGroupCodes();
        if (before && regional::compareFolded(before->perigrafh, m_groupName->text().trimmed()) == 0) {
            if (const auto now = groups::groupById(database(), m_selectedGroup))
                m_groupName->setText(now->perigrafh);
        }
    });
}

void CodesPageWidget::EnterPage()
{
    m_code->clear();
    m_description->clear();
    m_groupName->clear();
    m_income->setChecked(false);
    m_selectedGroup = 0;
    m_currentCodeId = 0;
    showChangeButtons(false);
    guarded([this] {
        RequeryCodes();
        requeryGroups();
        requeryGroupCodes();
    });
}

void CodesPageWidget::RequeryCodes()
{
    fillWithCodes(m_lists[0], codes::allCodes(database()));
}

void CodesPageWidget::requeryGroups()
{
    QListWidget *list = m_lists[1];
    const QSignalBlocker quiet(list);
    list->clear();
    for (const groups::GroupRow &g : groups::listGroups(database())) {
        auto *item = new QListWidgetItem(g.perigrafh, list);
        item->setData(Qt::UserRole, g.aa);
    }
}

void CodesPageWidget::requeryGroupCodes()
{
    fillWithCodes(m_lists[2], codes::codesOfGroup(database(), m_currentGroup));
}

void CodesPageWidget::showChangeButtons(bool visible)
{
    if (!m_context.setButtonVisible)
        return;
    m_context.setButtonVisible(ChangeButton, visible);
    m_context.setButtonVisible(DeleteButton, visible);
}

void CodesPageWidget::loadCode(QListWidgetItem *item, bool forEditing)
{
    guarded([this, item, forEditing] {
        const auto code = codes::codeById(database(), item->data(Qt::UserRole).toLongLong());
        if (!code)
            return;
        m_currentCodeId = code->id;
        m_code->setEnabled(true);
        m_code->setText(QString::number(code->kvdikos));
        m_description->setText(code->perigrafh);
        m_groupName->setText(code->omada.trimmed());
        m_selectedGroup = code->aa_omadas;
        m_income->setChecked(code->esodo);
        m_active->setChecked(code->energos);
        showChangeButtons(forEditing);
    });
}

void CodesPageWidget::onGroupClicked(QListWidgetItem *item)
{
    m_currentGroup = item->data(Qt::UserRole).toLongLong();
    guarded([this] { requeryGroupCodes(); });
}

void CodesPageWidget::onGroupDoubleClicked(QListWidgetItem *item)
{
    m_groupName->setText(item->text());
    m_selectedGroup = item->data(Qt::UserRole).toLongLong();
}
