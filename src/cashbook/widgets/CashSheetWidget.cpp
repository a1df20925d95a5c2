#include "CashSheetWidget.h"

#include "cashbook/BookingDay.h"
#include "cashbook/DisplayLines.h"
#include "cashbook/search/widgets/SearchWindow.h"
#include "data/AppGlobals.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/regional/Clock.h"
#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <algorithm>

namespace cashbook {
namespace {

const QString Attention = QStringLiteral("Προσοχή");
const QString Zero = QStringLiteral("0");

constexpr int InsertButton = 0, ChangeButton = 2, DeleteButton = 3, CloseButton = 8;
constexpr int AaRole = Qt::UserRole;

bool isEnter(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

CashSheetWidget::CashSheetWidget(PageContext &context, Store &store, QWidget *parent)
    : QWidget(parent), m_context(context), m_book(store), m_ops(m_book)
{
    setObjectName(QStringLiteral("CashSheet"));
    buildControls();
    m_dateBox->setText(regional::formatDate(Clock::today()));
    m_descriptionBox->clear();
    for (QLineEdit *box : {m_incomeBox, m_expenseBox, m_memoBox})
        box->setText(Zero);
    m_incomeBox->setEnabled(false);
    m_expenseBox->setEnabled(false);

    connect(m_codeBox, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < m_codes.size())
            chooseCode(m_codes[index]);
    });
    connect(m_list, &QListWidget::itemClicked, this, [this] { listClicked(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { listDoubleClicked(m_list->row(item)); });
    RefreshCodes();
}

// ---- date box -------------------------------------------------------------

std::optional<QDate> CashSheetWidget::shownDate() const
{
    return regional::parseDate(m_dateBox->text(), Clock::today());
}

void CashSheetWidget::LeaveDateBox()
{
    if (BusyGuard::isBusy(window()))
        return;
    BusyGuard guard(window());
    leaveDateBoxNow();
}

void CashSheetWidget::leaveDateBoxNow()
{
    const std::optional<QDate> day = shownDate();
    if (!day) {
        msg::exclamation(QStringLiteral("Λάθος ημερομηνία"), QStringLiteral("Η εισαγωγή της ημερομηνίας είναι λάθος"));
        return;
    }
    if (!checkBookingDay(*day, Clock::today()))
        return;
    m_dateBox->setText(regional::formatDate(*day));
    m_weekday->setText(regional::weekdayName(*day, regional::WeekdaySpelling::CashSheet));

    if (IsDayClosed() && !globals().RightChangeRecords) {
        msg::critical(Attention, QStringLiteral("Το ταμείο έχει κλείσει και δεν έχετε δικαίωμα να το μεταβάλετε"));
        m_context.setButtonVisible(InsertButton, false);
        setStateLabel(QStringLiteral("Ταμείο κλειστό"), QColor(128, 0, 0));
        setEntryEnabled(false);
        m_context.setButtonVisible(CloseButton, false);
        ShowDay();
        return;
    }
    m_context.setButtonVisible(InsertButton, true);
    setStateLabel(QStringLiteral("Ταμείο ανοικτό"), QColor(128, 255, 128));
    setEntryEnabled(true);
    m_context.setButtonVisible(CloseButton, true);
    ShowDay();
    // A closed day opened with the right stays editable and says it is closed.
    IsDayClosed();
}

bool CashSheetWidget::dayIsClosed(std::optional<db::DbError> *failure)
{
    try {
        const std::optional<QDate> day = shownDate();
        return day && m_book.IsDayClosed(*day);
    } catch (const db::DbError &e) {
        // A day that cannot be shown open must not look open: it is treated
        // as closed, which only users with the right may work on.
        if (failure)
            *failure = e;
        return true;
    }
}

bool CashSheetWidget::IsDayClosed()
{
    std::optional<db::DbError> failure;
    const bool closed = dayIsClosed(&failure);
    if (failure && !m_closedDaysUnreadable)
        msg::critical(Attention, QStringLiteral("Δεν ήταν δυνατό να διαβαστούν οι κλεισμένες ημέρες· η ημέρα "
                                                "θεωρείται κλειστή.")
                                     + QLatin1Char('\n') + storefailure::causeLine(*failure));
    m_closedDaysUnreadable = failure.has_value();
    if (closed)
        setStateLabel(QStringLiteral("Ταμείο κλειστό"), QColor(255, 0, 0));
    else
        setStateLabel(QStringLiteral("Ταμείο ανοικτό"), QColor(0, 255, 0));
    return closed;
}

void CashSheetWidget::setStateLabel(const QString &text, const QColor &colour)
{
    m_state->setText(text);
    QPalette pal = m_state->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::WindowText, colour.lightness() < 100 ? QColor(Qt::white) : QColor(Qt::black));
    m_state->setPalette(pal);
}

void CashSheetWidget::setEntryEnabled(bool enabled)
{
    m_codeBox->setEnabled(enabled);
    for (QLineEdit *box : {m_descriptionBox, m_incomeBox, m_expenseBox})
        box->setEnabled(enabled);
    m_cheque->setEnabled(enabled);
}

void CashSheetWidget::ShowInitialDay()
{
    // Change and delete wait until a movement is loaded.
    ShowEditButtons(false);
    m_codeBox->setCurrentIndex(-1);
    m_codeBox->setEditText(QString());
    m_currentCode = 0;
    leaveDateBoxNow();
}

// ---- the day list -----------------------------------------------------------

void CashSheetWidget::ShowDay()
{
    MainWindowState &state = *m_context.state;
    DayView view;
    const std::optional<QDate> day = shownDate();
    if (day) {
        view.day = *day;
        // A failed write of the day row still shows the day as read; a failed
        // read is said, and no balance or total is shown for the day then.
        try {
            view = m_book.readDayAndSaveRow(*day);
        } catch (const MoneyOverflow &) {
            msg::critical(Attention, QStringLiteral("Τα ποσά της ημέρας ξεπερνούν το όριο που μπορεί να κρατηθεί."));
        } catch (const db::DbError &written) {
            try {
                view = m_book.readDay(*day);
                if (written.kind() != db::DbError::Kind::ReadOnly) // a damaged file was reported at open
                    storefailure::reportReadError(written);
            } catch (const db::DbError &read) {
                showUnreadableDay(*day);
                storefailure::reportReadError(read);
                return;
            }
        }
    }
    m_shownDay = view.day;
    state.DayIncome = view.income;
    state.DayExpense = view.expense;
    state.DayBalance = view.balance();

    m_list->clear();
    const QStringList texts = lines::dayLines(view);
    for (int i = 0; i < texts.size(); ++i) {
        auto *item = new QListWidgetItem(texts[i], m_list);
        item->setData(AaRole, i == 0 ? qint64(0) : view.movements[i - 1].aa);
    }
    m_context.setStatusPanel(2, lines::moneyOrZero(view.income));
    m_context.setStatusPanel(4, lines::moneyOrZero(view.expense));
    m_context.setStatusPanel(6, lines::moneyOrZero(view.balance()));
    if (!view.hasMovements())
        return;

    resetEntry();
    m_list->setCurrentRow(m_list->count() - 1);
    listClicked();
    m_codeBox->setFocus();
}

void CashSheetWidget::showUnreadableDay(const QDate &day)
{
    MainWindowState &state = *m_context.state;
    m_shownDay = day;
    state.DayIncome = state.DayExpense = state.DayBalance = Money();
    m_list->clear();
    for (int panel : {2, 4, 6})
        m_context.setStatusPanel(panel, QString());
}

// Only asks: the label and the boxes stay as they are.
bool CashSheetWidget::mayWorkOnDay()
{
    return globals().RightChangeRecords || !dayIsClosed(nullptr);
}

void CashSheetWidget::listClicked()
{
    // A click on the list repaints the day's state label, as users know it.
    IsDayClosed();
    if (mayWorkOnDay())
        ShowEditButtons(false);
    clearEntry();
}

void CashSheetWidget::listDoubleClicked(int row)
{
    if (row < 0 || !mayWorkOnDay())
        return;
    const qint64 aa = m_list->item(row)->data(AaRole).toLongLong();
    if (aa == 0)
        return;
    std::optional<Movement> m;
    try {
        m = m_book.movement(aa);
    } catch (const db::DbError &e) {
        storefailure::reportReadError(e);
        return;
    }
    if (!m)
        return;

    int index = -1;
    for (int i = 0; i < m_codes.size(); ++i)
        if (m_codes[i].kvdikos == m->kvdikos)
            index = i;
    m_codeBox->setCurrentIndex(index);
    m_codeBox->setEditText(index >= 0 ? m_codes[index].lista.trimmed() : QString::number(m->kvdikos));
    m_descriptionBox->setText(m->perigrafh);
    m_incomeBox->setText(lines::moneyOrZero(m->esoda));
    m_expenseBox->setText(lines::moneyOrZero(m->ejoda));
    m_memoBox->setText(regional::formatMoney(m->L_tajeos));
    m_currentCode = m->kvdikos;
    m_cheque->setChecked(m->epitagh);
    m_loaded = aa;
    ShowEditButtons(true);
    m_context.state->MovementSelected = true;
    const bool income = m_incomeBox->text() != Zero;
    m_incomeBox->setEnabled(income);
    m_expenseBox->setEnabled(!income);
}

// Enter on a movement's line loads it as a double click does, and puts the
// focus on its amount; on the first line Enter moves on like Tab.
bool CashSheetWidget::loadCurrentLine()
{
    const int row = m_list->currentRow();
    if (row < 0 || m_list->item(row)->data(AaRole).toLongLong() == 0)
        return false;
    listDoubleClicked(row);
    if (!m_context.state->MovementSelected)
        return true;
    QLineEdit *amount = m_incomeBox->isEnabled() ? m_incomeBox : m_expenseBox;
    amount->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void CashSheetWidget::FocusDayList()
{
    // Asked before the focus arrives: a list without a current line makes its
    // first line current when it takes the focus.
    const bool noLine = m_list->currentRow() < 0;
    m_list->setFocus(Qt::ShortcutFocusReason);
    if (noLine && m_list->count() > 0)
        m_list->setCurrentRow(m_list->count() - 1);
}

void CashSheetWidget::ShowEditButtons(bool show)
{
    m_context.setButtonVisible(ChangeButton, show);
    m_context.setButtonVisible(DeleteButton, show);
    m_dateBox->setEnabled(!show);
}

void CashSheetWidget::ClearSelection()
{
    m_cheque->setChecked(false);
    m_context.state->MovementSelected = false;
    m_list->setCurrentRow(-1);
    listClicked();
}

// ---- entry ------------------------------------------------------------------

void CashSheetWidget::resetEntry()
{
    m_codeBox->setCurrentIndex(-1);
    m_codeBox->setEditText(QString());
    m_currentCode = 0;
    m_descriptionBox->clear();
    m_incomeBox->setText(Zero);
    m_expenseBox->setText(Zero);
}

void CashSheetWidget::clearEntry()
{
    resetEntry();
    m_memoBox->setText(Zero);
    m_incomeBox->setEnabled(false);
    m_expenseBox->setEnabled(false);
    m_cheque->setChecked(false);
    m_context.state->MovementSelected = false;
    m_loaded = 0;
}

void CashSheetWidget::chooseCode(const ActiveCode &code)
{
    const bool changed = code.kvdikos != m_currentCode;
    m_codeBox->setEditText(QString::number(code.kvdikos) + QLatin1Char(' ') + code.perigrafh);
    m_currentCode = code.kvdikos;
    m_incomeBox->setEnabled(code.esodo);
    m_expenseBox->setEnabled(!code.esodo);
    if (!changed)
        return;
    if (m_context.state->MovementSelected) {
        // The sum typed so far goes to the box that fits the new code.
        const Money sum = regional::checkAmountText(m_incomeBox->text()).amount.value_or(Money())
            + regional::checkAmountText(m_expenseBox->text()).amount.value_or(Money());
        (code.esodo ? m_incomeBox : m_expenseBox)->setText(lines::moneyOrZero(sum));
        (code.esodo ? m_expenseBox : m_incomeBox)->setText(Zero);
    } else {
        m_incomeBox->setText(Zero);
        m_expenseBox->setText(Zero);
    }
}

void CashSheetWidget::codeEntered()
{
    if (takeShownCode(CodeCheck::AlsoEmpty))
        m_descriptionBox->setFocus();
}

// The code box left with a text that is not the chosen code's (typed, then
// Tab or a click elsewhere): the typed code is taken as if Enter had been
// pressed, so the amount boxes follow it.
void CashSheetWidget::codeBoxLeft()
{
    const QString typed = m_codeBox->currentText().trimmed();
    if (!typed.isEmpty() && typed.section(QLatin1Char(' '), 0, 0) != QString::number(m_currentCode))
        takeShownCode(CodeCheck::AlsoEmpty);
}

bool CashSheetWidget::takeShownCode(CodeCheck check)
{
    const QString typed = m_codeBox->currentText().trimmed();
    auto refuse = [this](const QString &text) {
        msg::information(QStringLiteral("Προσοχη"), text);
        for (QLineEdit *box : {m_incomeBox, m_expenseBox}) {
            box->setText(Zero);
            box->setEnabled(false);
        }
        return false;
    };
    if (typed.isEmpty()) {
        if (check == CodeCheck::AtOperation) {
            m_currentCode = 0; // the operation says that no code was given
            return true;
        }
        return refuse(QStringLiteral("Δεν δώθηκε ο κωδικός της κίνησης"));
    }
    bool numeric = false;
    const int code = typed.section(QLatin1Char(' '), 0, 0).toInt(&numeric);
    // The chosen code as shown; an inactive one is left to the operation's own check.
    if (check == CodeCheck::AtOperation && numeric && code == m_currentCode)
        return true;
    std::optional<ActiveCode> found;
    if (numeric) {
        try {
            found = m_book.findActiveCode(code);
        } catch (const db::DbError &e) {
            storefailure::reportReadError(e);
            return false;
        }
    }
    if (!found) {
        m_currentCode = 0;
        return refuse(QStringLiteral("Δεν βρέθηκε ο κωδικός της κίνησης"));
    }
    if (check == CodeCheck::AtOperation) {
        // The amounts stay as typed: only the code follows the box.
        m_currentCode = found->kvdikos;
        return true;
    }
    for (int i = 0; i < m_codes.size(); ++i)
        if (m_codes[i].kvdikos == found->kvdikos)
            m_codeBox->setCurrentIndex(i);
    chooseCode(*found);
    return true;
}

void CashSheetWidget::amountBoxLeft(QLineEdit *box)
{
    // A text that is no clear amount is said at once and left as typed, for
    // the user to correct.
    if (box->text().trimmed().isEmpty() || readAmountBox(box->text()))
        box->setText(lines::formatAmountBox(box->text()));
}

MovementEntry CashSheetWidget::entry() const
{
    MovementEntry e;
    e.dateText = m_dateBox->text();
    e.code = m_currentCode;
    e.description = m_descriptionBox->text();
    e.incomeText = m_incomeBox->text();
    e.expenseText = m_expenseBox->text();
    e.memoText = m_memoBox->text();
    e.cheque = m_cheque->isChecked();
    return e;
}

void CashSheetWidget::RefreshCodes()
{
    const QString shown = m_codeBox->currentText();
    try {
        m_codes = m_book.activeCodes();
    } catch (const db::DbError &e) {
        m_codes.clear();
        storefailure::reportReadError(e);
    }
    m_codeBox->clear();
    for (const ActiveCode &c : m_codes)
        m_codeBox->addItem(c.lista, c.kvdikos);
    m_codeBox->setCurrentIndex(-1);
    m_codeBox->setEditText(shown);
}

void CashSheetWidget::FocusCodeBox()
{
    if (m_codeBox->isEnabled())
        m_codeBox->setFocus();
}

// ---- operations ---------------------------------------------------------------

// The main window's buttons do not take the focus, so the box being typed in
// is finished here as if it had been left.
void CashSheetWidget::finishEditing()
{
    QWidget *focused = QApplication::focusWidget();
    // A refused amount is reported by the operation itself, once.
    for (QLineEdit *box : {m_incomeBox, m_expenseBox, m_memoBox})
        if (focused == box)
            box->setText(lines::formatAmountBox(box->text()));
    if (focused == m_dateBox && m_dateBox->text() != regional::formatDate(m_shownDay))
        leaveDateBoxNow();
}

void CashSheetWidget::InsertMovement()
{
    finishEditing();
    if (!takeShownCode(CodeCheck::AtOperation))
        return;
    if (!m_ops.InsertFromButton(entry(), m_context.state->MovementSelected))
        return;
    ShowDay();
    resetEntry();
    m_incomeBox->setEnabled(false);
    m_expenseBox->setEnabled(false);
    m_cheque->setChecked(false);
    m_codeBox->setFocus();
}

// A cancelled change or delete is finished with as a done one is (the
// selection is cleared); one refused by a check keeps the entry.
bool CashSheetWidget::ChangeMovement()
{
    if (m_loaded == 0 || !m_context.state->MovementSelected)
        return false;
    finishEditing();
    if (!takeShownCode(CodeCheck::AtOperation))
        return false;
    if (!m_ops.ChangeMovement(m_loaded, entry()))
        return m_ops.declinedByUser();
    ShowDay();
    return true;
}

bool CashSheetWidget::DeleteMovement()
{
    if (m_loaded == 0 || !m_context.state->MovementSelected)
        return false;
    if (!m_ops.DeleteMovement(m_loaded))
        return m_ops.declinedByUser();
    ShowDay();
    m_descriptionBox->clear();
    m_incomeBox->setText(Zero);
    m_expenseBox->setText(Zero);
    return true;
}

void CashSheetWidget::CloseCash()
{
    finishEditing();
    if (!m_ops.CloseCash(m_dateBox->text()))
        return;
    // The day now shows as closed; a user without the right to change closed
    // days gets the protected view at once, without the refusal that leaving
    // the date box says.
    IsDayClosed();
    if (!globals().RightChangeRecords) {
        m_context.setButtonVisible(InsertButton, false);
        setEntryEnabled(false);
        m_context.setButtonVisible(CloseButton, false);
    }
}

// ---- search -------------------------------------------------------------------

search::SearchWindow *CashSheetWidget::OpenSearch()
{
    if (!m_search) {
        m_search = new search::SearchWindow(m_book.store(), window());
        connect(m_search, &search::SearchWindow::openMovement, this, &CashSheetWidget::ShowFoundMovement);
    } else {
        m_search->refreshCodes();
    }
    m_search->show();
    m_search->raise();
    m_search->activateWindow();
    return m_search;
}

void CashSheetWidget::ShowFoundMovement(const QDate &day, qint64 aa)
{
    if (BusyGuard::isBusy(window()))
        return;
    // The day is shown here once: the date box losing the focus meanwhile
    // must not show it (and say it is closed) a second time.
    m_showingFound = true;
    // A movement still loaded is let go first, as a click on the list does.
    if (m_context.state->MovementSelected || m_loaded != 0)
        ClearSelection();
    m_list->setFocus(Qt::OtherFocusReason);
    m_dateBox->setText(regional::formatDate(day));
    {
        BusyGuard guard(window());
        leaveDateBoxNow();
    }
    for (int row = 1; row < m_list->count(); ++row) {
        if (m_list->item(row)->data(AaRole).toLongLong() != aa)
            continue;
        m_list->setCurrentRow(row);
        m_list->scrollToItem(m_list->item(row));
        // The double click itself: nothing is loaded on a closed day without the right.
        listDoubleClicked(row);
        QLineEdit *amount = m_incomeBox->isEnabled() ? m_incomeBox : m_expenseBox;
        if (m_context.state->MovementSelected)
            amount->setFocus(Qt::OtherFocusReason);
        else
            m_list->setFocus(Qt::OtherFocusReason);
        break;
    }
    m_showingFound = false;
    window()->raise();
    window()->activateWindow();
}

// ---- events -------------------------------------------------------------------

bool CashSheetWidget::eventFilter(QObject *watched, QEvent *event)
{
    // One of the Text1 boxes, or nullptr.
    QLineEdit *const textBoxes[] = {m_dateBox, m_descriptionBox, m_incomeBox, m_expenseBox, m_memoBox};
    const auto found = std::find(std::begin(textBoxes), std::end(textBoxes), watched);
    QLineEdit *const box = found != std::end(textBoxes) ? *found : nullptr;

    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!isEnter(key))
            return false;
        // The combo box is the focus widget and hands keys to its line edit
        // directly, past the line edit's filters: Enter arrives at either.
        if (watched == m_codeBox || watched == m_codeBox->lineEdit()) {
            codeEntered();
            return true;
        }
        if (watched == m_list && loadCurrentLine())
            return true;
        if (box || watched == m_list) {
            // Enter moves on like Tab (unless the window's own rule did already).
            focusNextChild();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_codeBox || watched == m_codeBox->lineEdit()) {
            QLineEdit *edit = m_codeBox->lineEdit();
            QTimer::singleShot(0, edit, [edit] { edit->setSelection(0, 25); });
        } else if (box) {
            QTimer::singleShot(0, box, [box] { box->setSelection(0, box->maxLength()); });
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut && (box || watched == m_codeBox)) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        if (watched == m_codeBox) {
            codeBoxLeft();
            return false;
        }
        if (box == m_dateBox && !m_showingFound)
            LeaveDateBox();
        else if (box == m_incomeBox || box == m_expenseBox || box == m_memoBox)
            amountBoxLeft(box);
    }
    return false;
}

} // namespace cashbook
