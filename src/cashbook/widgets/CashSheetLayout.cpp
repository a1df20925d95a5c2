#include "CashSheetWidget.h"

#include "EntryFilters.h"
#include "cashbook/DisplayLines.h"
#include "platform/desktop/widgets/AmountKeyFilter.h"
#include "platform/desktop/widgets/OneLineText.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace cashbook {
namespace {

QLabel *caption(const QString &text, int element, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(ui::arrayName("Label1", element));
    return label;
}

} // namespace

void CashSheetWidget::buildControls()
{
    auto makeBox = [this](QLineEdit *&member, int element, int maxLength, Qt::Alignment align) {
        auto *box = new QLineEdit(this);
        box->setObjectName(ui::arrayName("Text1", element));
        box->setMaxLength(maxLength);
        box->setAlignment(align);
        box->installEventFilter(this);
        member = box;
        return box;
    };

    QLineEdit *date = makeBox(m_dateBox, 0, 11, Qt::AlignCenter);
    date->setAccessibleName(QStringLiteral("Ημερομηνία"));
    date->setFixedWidth(100);
    installDateKeyFilter(date);
    m_weekday = new QLabel(this);
    m_weekday->setObjectName(ui::arrayName("Label1", 0));
    m_weekday->setMinimumWidth(90);
    m_state = new QLabel(this);
    m_state->setObjectName(ui::arrayName("Label3D1", 3));
    m_state->setAlignment(Qt::AlignCenter);
    m_state->setFrameShape(QFrame::Panel);
    m_state->setFrameShadow(QFrame::Raised);
    m_state->setAutoFillBackground(true);
    m_state->setMinimumWidth(150);
    QFont bold = m_state->font();
    bold.setBold(true);
    m_state->setFont(bold);

    // The search across the whole book, beside the day it leaves.
    m_searchButton = new QPushButton(QStringLiteral("Αναζήτηση…"), this);
    m_searchButton->setObjectName(QStringLiteral("searchMovements"));
    m_searchButton->setToolTip(QStringLiteral("Αναζήτηση κινήσεων σε όλες τις ημέρες (Ctrl+F)"));
    m_searchButton->setFocusPolicy(Qt::NoFocus);
    connect(m_searchButton, &QPushButton::clicked, this, [this] { OpenSearch(); });
    auto *toSearch = new QShortcut(QKeySequence::Find, this);
    toSearch->setContext(Qt::WindowShortcut);
    connect(toSearch, &QShortcut::activated, this, [this] { OpenSearch(); });

    auto *top = new QHBoxLayout;
    top->addWidget(date);
    top->addWidget(m_weekday);
    top->addWidget(m_searchButton);
    top->addStretch(1);
    top->addWidget(m_state);

    m_header = caption(lines::listHeader(), 5, this);
    m_header->setFont(ui::fixedPitchFont(9));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(QStringLiteral("Κινήσεις της ημέρας"));
    m_list->setFont(ui::fixedPitchFont(9));
    m_list->setToolTip(QStringLiteral("Διπλό κλίκ για διόρθωση"));
    m_list->setUniformItemSizes(true);
    m_list->setMinimumHeight(110);
    m_list->installEventFilter(this);
    m_list->setProperty(ui::OwnEnterProperty, true); // Enter loads the line's movement
    // F3 reaches the day's lines from any field, to pick one with the arrows.
    auto *toList = new QShortcut(QKeySequence(Qt::Key_F3), this);
    toList->setContext(Qt::WindowShortcut);
    connect(toList, &QShortcut::activated, this, [this] { FocusDayList(); });
    // The header's columns line up with the list's text inside its frame.
    m_header->setContentsMargins(m_list->frameWidth() + 2, 0, 0, 0);

    m_codeBox = new QComboBox(this);
    m_codeBox->setObjectName(QStringLiteral("DBCombo1"));
    m_codeBox->setEditable(true);
    m_codeBox->setInsertPolicy(QComboBox::NoInsert);
    m_codeBox->setCompleter(nullptr);
    m_codeBox->setMinimumWidth(220);
    m_codeBox->setMaxVisibleItems(15);
    m_codeBox->lineEdit()->installEventFilter(this);
    m_codeBox->installEventFilter(this);

    QLineEdit *description = makeBox(m_descriptionBox, 1, 50, Qt::AlignLeft);
    ui::SetOneLineText(description);
    QLineEdit *memo = makeBox(m_memoBox, 9, 18, Qt::AlignRight);
    QLineEdit *income = makeBox(m_incomeBox, 2, 18, Qt::AlignRight);
    QLineEdit *expense = makeBox(m_expenseBox, 3, 18, Qt::AlignRight);
    for (QLineEdit *amount : {memo, income, expense})
        ui::installAmountKeyFilter(amount);
    m_cheque = new QCheckBox(QStringLiteral("Επιταγή"), this);
    m_cheque->setObjectName(ui::arrayName("Check1", 0));
    m_cheque->setToolTip(QStringLiteral("Δίνχνει αν το ποσό προέρχετε από επιταφή"));

    auto *entryGrid = new QGridLayout;
    entryGrid->addWidget(caption(QStringLiteral("Κωδικός "), 1, this), 0, 0);
    entryGrid->addWidget(m_codeBox, 1, 0);
    entryGrid->addWidget(caption(QStringLiteral("Περιγραφή "), 2, this), 0, 1, 1, 3);
    entryGrid->addWidget(description, 1, 1, 1, 3);
    entryGrid->addWidget(caption(QStringLiteral("Λ τάξεως"), 14, this), 2, 0);
    entryGrid->addWidget(memo, 3, 0);
    entryGrid->addWidget(caption(QStringLiteral("Εσοδα"), 3, this), 2, 1);
    entryGrid->addWidget(income, 3, 1);
    entryGrid->addWidget(caption(QStringLiteral("Εξοδα"), 4, this), 2, 2);
    entryGrid->addWidget(expense, 3, 2);
    entryGrid->addWidget(m_cheque, 3, 3);
    entryGrid->setColumnStretch(1, 1);
    entryGrid->setColumnStretch(2, 1);
    entryGrid->setVerticalSpacing(2);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->setSpacing(3);
    column->addLayout(top);
    column->addWidget(m_header);
    column->addWidget(m_list, 1);
    column->addLayout(entryGrid);

    // Tab order: date, code, description, memo amount, income, expense.
    setTabOrder(date, m_codeBox);
    setTabOrder(m_codeBox, description);
    setTabOrder(description, memo);
    setTabOrder(memo, income);
    setTabOrder(income, expense);
    setTabOrder(expense, m_cheque);
    setTabOrder(m_cheque, m_list);
}

} // namespace cashbook
