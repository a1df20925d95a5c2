#pragma once

#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "platform/db/DbError.h"
#include "shell/contracts/Pages.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace search {
class SearchWindow;
}

namespace cashbook {

// The cash tab of the main window: the day box, the day list with its
// carried-over balance, the entry of a movement and the day state. The
// buttons (Command1) and the status bar belong to the main window; the page
// reaches them through its PageContext. What is read, computed and written is
// CashBook's and CashOperations' job; this class holds the controls.
class CashSheetWidget : public QWidget
{
    Q_OBJECT
public:
    CashSheetWidget(PageContext &context, Store &store, QWidget *parent = nullptr);

    // The operations the main window dispatches to.
    void InsertMovement();
    bool ChangeMovement(); // true when the movement was changed
    bool DeleteMovement(); // true when the movement was deleted
    void CloseCash();
    void ClearSelection();
    void ShowInitialDay();
    bool IsDayClosed();
    void RefreshCodes();
    void FocusCodeBox();
    // The day list takes the focus, on its last line when none is current.
    void FocusDayList();

    // The date box's leave handler.
    void LeaveDateBox();
    // Rebuilds the list and the totals of the day in the date box.
    void ShowDay();

    int currentCode() const { return m_currentCode; }

    // The search window (Ctrl+F or the search button), made on first use.
    search::SearchWindow *OpenSearch();
    // A movement found by the search: its day is shown as if typed in the
    // date box, then the movement is loaded as a double click on its line
    // loads it (so a closed day without the right is only shown).
    void ShowFoundMovement(const QDate &day, qint64 aa);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void leaveDateBoxNow();
    void setStateLabel(const QString &text, const QColor &colour);
    void setEntryEnabled(bool enabled);
    void ShowEditButtons(bool show);
    void listClicked();
    void listDoubleClicked(int row);
    // A day whose rows could not be read: no balance or total shows for it.
    void showUnreadableDay(const QDate &day);
    void codeEntered();
    void codeBoxLeft();
    // Makes CurrentCode the code the box shows. On Enter or leaving the box an
    // empty text is refused and a found code is chosen as a picked one; at an
    // operation an empty box leaves no code (the operation says so) and the
    // amounts stay as typed. A text that is no active code is refused.
    enum class CodeCheck { AlsoEmpty, AtOperation };
    bool takeShownCode(CodeCheck check);
    void chooseCode(const ActiveCode &code);
    void resetEntry();
    void clearEntry();
    void amountBoxLeft(QLineEdit *box);
    void finishEditing();
    MovementEntry entry() const;
    std::optional<QDate> shownDate() const;
    // Whether the shown day is closed, without touching the label or saying a
    // failure (a failed read counts as closed and is handed back).
    bool dayIsClosed(std::optional<db::DbError> *failure);
    bool mayWorkOnDay();
    bool loadCurrentLine();

    PageContext &m_context;
    CashBook m_book;
    CashOperations m_ops;

    QLineEdit *m_dateBox = nullptr;         // Text1(0)
    QLineEdit *m_descriptionBox = nullptr;  // Text1(1)
    QLineEdit *m_incomeBox = nullptr;       // Text1(2)
    QLineEdit *m_expenseBox = nullptr;      // Text1(3)
    QLineEdit *m_memoBox = nullptr;         // Text1(9)
    QLabel *m_weekday = nullptr;            // Label1(0)
    QLabel *m_state = nullptr;              // Label3D1(3)
    QLabel *m_header = nullptr;             // Label1(5)
    QListWidget *m_list = nullptr;          // List1
    QComboBox *m_codeBox = nullptr;         // DBCombo1
    QCheckBox *m_cheque = nullptr;          // Check1(0)
    QPushButton *m_searchButton = nullptr;
    search::SearchWindow *m_search = nullptr;
    bool m_showingFound = false;            // the date box is set by the search, not left by the user

    QList<ActiveCode> m_codes;
    int m_currentCode = 0;                  // CurrentCode
    qint64 m_loaded = 0;                    // the movement loaded by a double click
    QDate m_shownDay;                       // the day the list shows
    bool m_closedDaysUnreadable = false;    // the last read of the closed days failed (said once)
};

} // namespace cashbook
