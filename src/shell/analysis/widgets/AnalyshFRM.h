#pragma once

#include "shell/analysis/AnalysisSetup.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
namespace db { class Database; }

// The set-up of the day cash analysis: four group frames SSFrame1(1..4), each
// with an income and an expense code slot (Text1(0..7), read-only, the code
// number in the slot's tag), the code picker Combo1 and the caption editor
// Text2(0). Save writes the settings and hides the window; the report reads
// the set-up as a plain struct.
class AnalyshFRM : public QDialog
{
    Q_OBJECT
public:
    explicit AnalyshFRM(db::Database &db, QWidget *parent = nullptr);

    // Load: caption with the report's start date, slots and captions from the settings.
    void load(const QString &startDate);
    // What the window shows now.
    analysis::AnalysisSetup setup() const;

    // Shows the one window of the program modally (made on first use and
    // reused afterwards) and returns the set-up the user saved. Closing it
    // without saving gives the stored set-up.
    static analysis::AnalysisSetup ask(db::Database &db, const QString &startDate);
    static AnalyshFRM *instance();

    void chooseCode(int slot);         // Command2(slot)
    void pickLine(int line);           // a line of Combo1 clicked
    void editCaption(int group);       // double click on SSFrame1(group), 1..4
    void save();                       // Command1(0)

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void fillPicker();
    void finishCaptionEdit();
    void setSlot(int slot, const QString &text, const QString &tag);

    db::Database &m_db;
    QGroupBox *m_frame[5] = {};
    QLineEdit *m_slot[analysis::SlotCount] = {};
    QLabel *m_label[analysis::SlotCount] = {};
    QPushButton *m_choose[analysis::SlotCount] = {};
    QPushButton *m_save = nullptr;
    QComboBox *m_picker = nullptr;
    QLineEdit *m_captionEditor = nullptr;
    int m_pickerSlot = -1;
    int m_editedGroup = 0;
    bool m_pickerFilled = false;
};
