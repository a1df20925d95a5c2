#pragma once

#include <QDialog>
#include <QStyle>
#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;

namespace db { class Database; }

// The code-groups window: create, rename and delete groups. Shown modally by
// the main window (exec()); Exit hides it and the caller requeries its lists.
//
// Two modes, told by the rename and delete buttons: insert mode (on opening,
// after a single click, after a rename or a delete) and edit mode (after a
// double click on a group, which becomes the group acted on).
class OmadaKvdikvn : public QDialog
{
    Q_OBJECT
public:
    explicit OmadaKvdikvn(db::Database &db, QWidget *parent = nullptr);

private:
    void buildControls();
    QToolButton *addButton(int element, const QString &caption, const QString &tooltip, QStyle::StandardPixmap icon);
    void onButton(int element);
    void refillList();
    void setEditMode(bool edit);
    void onSingleClick();
    void onDoubleClick(QListWidgetItem *item);

    void exitWindow();
    void insertGroup();
    void renameGroup();
    void deleteGroup();

    db::Database &m_db;
    qint64 m_currentAa = 0; // the group loaded by a double click
    bool m_refilling = false;

    QFrame *m_panel = nullptr;          // SSPanel1
    QListWidget *m_list = nullptr;      // DBList1
    QLineEdit *m_name = nullptr;        // Text1
    std::array<QToolButton *, 4> m_buttons{}; // Command1(0..3)
    std::array<QLabel *, 4> m_captions{};     // Label2(0..3)
};
