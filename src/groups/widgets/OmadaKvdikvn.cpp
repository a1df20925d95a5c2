#include "OmadaKvdikvn.h"

#include "data/StoreFailure.h"
#include "groups/GroupOperations.h"
#include "groups/GroupQueries.h"
#include "platform/db/Database.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/AccessibleNames.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

enum Element { Exit = 0, Insert = 1, Rename = 2, Delete = 3 };

// A widget that keeps its place in the layout while hidden, so the buttons
// beside it do not move when rename and delete appear.
void keepPlaceWhenHidden(QWidget *w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

} // namespace

OmadaKvdikvn::OmadaKvdikvn(db::Database &db, QWidget *parent) : QDialog(parent), m_db(db)
{
    setObjectName(QStringLiteral("OmadaKvdikvn"));
    setWindowTitle(QStringLiteral("Ομάδες κωδικών"));
    setModal(true);
    buildControls();
    setFixedSize(540, 330);

    ui::CenterForm(this);
    refillList();
    ui::SetUpperCase(m_name);
    m_name->clear();
    if (parent) {
        QPalette pal = m_panel->palette();
        pal.setColor(QPalette::Window, parent->window()->palette().color(QPalette::Window));
        m_panel->setPalette(pal);
    }
    setEditMode(false);
    ui::InstallEnterAsTab(this);
    ui::NameControlsForAccessibility(this);
}

void OmadaKvdikvn::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("SSPanel1"));
    m_panel->setFrameShape(QFrame::Panel);
    m_panel->setFrameShadow(QFrame::Raised);
    m_panel->setAutoFillBackground(true);
    outer->addWidget(m_panel);

    auto *grid = new QGridLayout(m_panel);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(14);

    auto *listLabel = new QLabel(QStringLiteral("Διαθέσιμες ομάδες "), m_panel);
    listLabel->setObjectName(QStringLiteral("Label1(0)"));
    m_list = new QListWidget(m_panel);
    m_list->setObjectName(QStringLiteral("DBList1"));
    m_list->setToolTip(QStringLiteral("Διπλό κλίκ για διόρθωση ή διαγραφή"));
    m_list->setMinimumWidth(230);
    // Only a click on a group counts: clicks on an empty list do nothing.
    connect(m_list, &QListWidget::itemClicked, this, [this] { onSingleClick(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &OmadaKvdikvn::onDoubleClick);
    // Moving to another group with the keys leaves the loaded one as a click
    // does: rename and delete must never act on a group other than the one
    // highlighted. Refilling the list is no move of the user's.
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current, QListWidgetItem *previous) {
        if (!m_refilling && current != previous && previous)
            onSingleClick();
    });

    auto *nameLabel = new QLabel(QStringLiteral("Ονομασία ομάδας  "), m_panel);
    nameLabel->setObjectName(QStringLiteral("Label1(1)"));
    m_name = new QLineEdit(m_panel);
    m_name->setObjectName(QStringLiteral("Text1"));
    // A code's group box holds 25 letters: a longer name could never be attached.
    m_name->setMaxLength(25);

    auto *buttons = new QGridLayout;
    buttons->setHorizontalSpacing(6);
    buttons->setVerticalSpacing(0);
    const struct { int element; const char16_t *caption; const char16_t *tooltip; QStyle::StandardPixmap icon; } buttonTable[] = {
        {Insert, u"Εισαγωγή", u"Εισαγωγή ομάδας στη λίστα", QStyle::SP_FileDialogNewFolder},
        {Rename, u"Μεταβολή", u"Μεταβολή της ονομασίας", QStyle::SP_FileDialogDetailedView},
        {Delete, u"Διαγραφή", u"Διαγραφή της ομάδας", QStyle::SP_TrashIcon},
        {Exit, u"Εξοδος", u"Επιστροφή πίσω στο κυρίως πρόγραμμα", QStyle::SP_ArrowBack},
    };
    int column = 0;
    for (const auto &s : buttonTable) {
        auto *b = addButton(s.element, QString::fromUtf16(s.caption), QString::fromUtf16(s.tooltip), s.icon);
        buttons->addWidget(b, 0, column, Qt::AlignHCenter);
        buttons->addWidget(m_captions[size_t(s.element)], 1, column, Qt::AlignHCenter);
        // Wide enough for the caption under the button.
        buttons->setColumnMinimumWidth(column, m_captions[size_t(s.element)]->sizeHint().width() + 6);
        ++column;
    }

    grid->addWidget(listLabel, 0, 0);
    grid->addWidget(m_list, 1, 0, 3, 1);
    grid->addWidget(nameLabel, 0, 1);
    grid->addWidget(m_name, 1, 1);
    grid->setRowStretch(2, 1);
    grid->addLayout(buttons, 3, 1, Qt::AlignBottom);
}

QToolButton *OmadaKvdikvn::addButton(int element, const QString &caption, const QString &tooltip,
                                     QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(m_panel);
    button->setObjectName(ui::arrayName("Command1", element));
    button->setToolTip(tooltip);
    button->setIcon(style()->standardIcon(icon));
    button->setIconSize(QSize(28, 28));
    button->setFixedSize(46, 42);
    keepPlaceWhenHidden(button);
    connect(button, &QToolButton::clicked, this, [this, element] { onButton(element); });

    auto *label = new QLabel(caption, m_panel);
    label->setObjectName(ui::arrayName("Label2", element));
    label->setAlignment(Qt::AlignHCenter);
    keepPlaceWhenHidden(label);

    m_buttons[size_t(element)] = button;
    m_captions[size_t(element)] = label;
    return button;
}

void OmadaKvdikvn::onButton(int element)
{
    if (BusyGuard::isBusy(this))
        return;
    BusyGuard guard(this);
    try {
        switch (element) {
        case Exit: exitWindow(); break;
        case Insert: insertGroup(); break;
        case Rename: renameGroup(); break;
        case Delete: deleteGroup(); break;
        default: break;
        }
    } catch (const db::DbError &e) {
        // The operation's transaction has already undone whatever it began.
        storefailure::reportNotDone(e);
    }
}

void OmadaKvdikvn::refillList()
{
    m_refilling = true;
    struct Done { bool &flag; ~Done() { flag = false; } } done{m_refilling};
    m_list->clear();
    for (const groups::GroupRow &g : groups::listGroups(m_db)) {
        auto *item = new QListWidgetItem(g.perigrafh, m_list);
        item->setData(Qt::UserRole, g.aa);
    }
}

void OmadaKvdikvn::setEditMode(bool edit)
{
    for (int element : {Rename, Delete}) {
        m_buttons[size_t(element)]->setVisible(edit);
        m_captions[size_t(element)]->setVisible(edit);
    }
}

void OmadaKvdikvn::onSingleClick()
{
    setEditMode(false);
    m_name->clear();
}

void OmadaKvdikvn::onDoubleClick(QListWidgetItem *item)
{
    if (!item || m_list->count() == 0)
        return;
    m_currentAa = item->data(Qt::UserRole).toLongLong();
    setEditMode(true);
    m_name->setText(item->text());
}

void OmadaKvdikvn::exitWindow()
{
    hide();
    done(QDialog::Accepted);
}

void OmadaKvdikvn::insertGroup()
{
    if (groups::insertGroup(m_db, m_name->text()))
        refillList();
}

void OmadaKvdikvn::renameGroup()
{
    if (!groups::renameGroup(m_db, m_currentAa, m_name->text()))
        return;
    refillList();
    setEditMode(false);
}

void OmadaKvdikvn::deleteGroup()
{
    if (!groups::deleteGroup(m_db, m_currentAa))
        return;
    refillList();
    m_name->clear();
    setEditMode(false);
    m_currentAa = 0;
}
