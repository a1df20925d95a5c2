#pragma once

#include <QtGlobal>

class Store;

// One of several workstations on one book, as a user at the main window works
// it: the right to change data taken at the start and on the cash tab, given
// back on the reports tab and at the end (MarkerHolder, as the window does),
// and every operation pressed through the window's dispatch, which refuses a
// changing operation while another workstation holds the right
// ("Αδύνατη η πρόσβαση") and shows a failed one in a box.
//
// Besides the operation lines of BookModel.h it says, with the monotonic time
// in microseconds:
//   "W <t>"        before it tries to take the right,
//   "M <t> 1"      once it holds it, "M <t> 0" just before it gives it back,
//   "U <t>"        once it has given it back,
//   "T <id> <t0> <t1>" around the marker test that refused operation <id>,
// and "F <id> 1 <title>: <text>" with the box of every refusal or failure.
// "R" once it works, "E" when its operations are done and the right given back.
namespace reliability {

// Workstation number `desk` names itself ΤΑΜΙΑΣ<desk> on ΤΑΜΕΙΟ-<desk>. Returns
// the exit code: 0 done, 3 when the connection to the book was lost.
int runDesk(Store &store, int operations, quint32 seed, qint64 firstId, int desk);

// The names a desk goes by.
QString deskUser(int desk);
QString deskComputer(int desk);

} // namespace reliability
