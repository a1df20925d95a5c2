#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// Where windows open. The smallest screen the program is used on is
// 1366 x 768; every window must fit it whole, frame included.
namespace ui {

inline constexpr QSize SmallestScreen(1366, 768);

// The top-left corner that centres a frame of `frame` in `area` (integer
// halves); a frame larger than the area starts at its top-left corner, so the
// title bar and the window's first controls are always reachable.
QPoint centredTopLeft(const QRect &area, const QSize &frame);

// Centres the window each time it is shown, once its size is known (and again
// when the frame is known, which some window managers tell only after mapping).
void CenterWhenShown(QWidget *window);

// Keeps the window's size and place in the settings under `key`, written when
// it hides and given back when it shows; the first time, or when the screen
// no longer holds the kept place, it is centred instead. For windows whose
// size users choose.
void RememberPlacement(QWidget *window, const QString &key);

// Brings the window the user works in to the front: the open modal window
// when there is one, otherwise the program's main visible window.
// Returns the window raised, or nullptr when none is shown.
QWidget *BringProgramToFront();

} // namespace ui
