#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
struct PageContext;

namespace db { class Database; }
namespace codes { struct CodeInput; }

// The codes page of the main window: the code details frame, the list of all
// codes, the list of groups and the codes of the group clicked. The main
// window's buttons Command1(5, 6, 7, 10) run the operations below; change
// and delete (Command1(6), (7)) are shown after a double click on a code.
class CodesPageWidget : public QWidget
{
    Q_OBJECT
public:
    CodesPageWidget(PageContext &context, QWidget *parent);

    void InsertCode();
    void ChangeCode();
    void DeleteCode();
    void EditGroups();
    void EnterPage();
    void RequeryCodes();

private:
    void buildControls();
    QWidget *buildDetailsFrame();
    db::Database &database();
    codes::CodeInput readInput() const;

    void requeryGroups();
    void requeryGroupCodes();
    void showChangeButtons(bool visible);
    void loadCode(QListWidgetItem *item, bool forEditing);
    void onGroupClicked(QListWidgetItem *item);
    void onGroupDoubleClicked(QListWidgetItem *item);
    template <typename Operation> void guarded(Operation op);

    PageContext &m_context;
    qint64 m_currentCodeId = 0;  // row of the code loaded by a click (0 = none)
    qint64 m_selectedGroup = 0;  // SelectedGroup: group for the code being edited
    qint64 m_currentGroup = 0;   // group clicked in DBList1(1); 0 lists codes without a group

    QLineEdit *m_code = nullptr;         // Text1(4)
    QLineEdit *m_description = nullptr;  // Text1(5)
    QLineEdit *m_groupName = nullptr;    // Text1(6)
    QCheckBox *m_income = nullptr;       // SSCheck1
    QCheckBox *m_active = nullptr;       // SSCheck2
    std::array<QListWidget *, 3> m_lists{}; // DBList1(0..2)
};
