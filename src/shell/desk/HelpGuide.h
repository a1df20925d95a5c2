#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Where the user guide is and which of its sections belongs to a window.
// No widgets are made here.
namespace help {

// The guide as installed (share/doc/kelvora beside the program's bin folder),
// else as it stands in the source tree the program was built from; empty
// when neither is there.
QString guidePath();
// The places looked at, in order (for the message when none has the guide).
QStringList guidePlaces();

// The words of the guide's heading that covers the window in use: the
// window's "helpSection" property when it has one (the main window sets it
// by tab), else by the window's name. Empty for the start of the guide.
QString sectionFor(const QWidget *window);

} // namespace help
