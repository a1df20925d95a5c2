#pragma once

#include "data/SchemaUpgrade.h"

#include <QDate>
#include <QString>

class Store;

// Rules of the main window that need no widgets.
namespace mainwindow {

// Tabs of Tab1, 1-based as the pages Panel1(1..3) are numbered.
enum Tab { CashTab = 1, CodesTab = 2, ReportsTab = 3, ExitTab = 4 };

struct TabInfo
{
    QString caption;
    QString toolTip;
};
TabInfo tabInfo(int tab);

// One picture button Command1(element) with its caption label Label2(element).
struct ButtonInfo
{
    int element;
    int page;        // Panel1 element the button sits on
    QString caption; // Label2 text
    QString toolTip;
    bool markerTest; // a changing operation: refused while another workstation holds the marker
    int key;         // Qt::Key of the function key that presses it (the page's buttons share keys by role)
};
// The eleven buttons in element order.
const QList<ButtonInfo> &buttonTable();
bool needsMarkerTest(int element);

// The reports tab starts with the current month: "01-MM-YYYY" to today.
struct DateRange
{
    QString from;
    QString to;
};
DateRange reportDateRange(const QDate &today);

// The question of the exit tab and the exit buttons; true on OK.
bool askEndProgram();

// The data part of the start. openDatabases runs once, before the main window
// is built (its pages read as they are made): both files opened (while
// another workstation holds one, the user may try again) with a damaged file
// reported. The window's initialisation then walks the schema forward (a
// failure there is only logged; the table check that follows reports it) and
// checks every table of both files, reporting a file found damaged on the way.
// False after the fatal message (or the user's choice not to try again) when
// the databases cannot be used.
bool openDatabases(Store &store);
void reportNewDamage(Store &store);
void upgradeSchemaIgnoringErrors(Store &store, const schemaupgrade::AskOpeningBalance &ask);
bool checkDatabases(Store &store);

} // namespace mainwindow
