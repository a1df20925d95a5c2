#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QSize>
#include <QString>

class QWidget;
class QLineEdit;
class QListWidget;

// Rules and routines shared by all windows of the program.
namespace ui {

constexpr int TwipsPerPixel = 15;
constexpr int twipsToPixels(int twips) { return twips / TwipsPerPixel; }
constexpr int pixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

// The object name of an element of a control array: arrayName("Text1", 0) is "Text1(0)".
QString arrayName(const char *array, int element);

// The fixed-pitch font of the lists whose columns must line up: Courier New,
// or its metric twin Liberation Mono where it is not installed. A pointSize
// of 0 keeps the application's size.
QFont fixedPitchFont(int pointSize = 0);

// Places the window in the middle of the screen's work area (integer halves).
// Uses the frame's size, so call it once the window is shown.
void CenterForm(QWidget *window);

// The inner size that gives a window the outer size `outer`, frame included.
QSize ClientSizeForFrame(const QSize &outer, const QMargins &frame);
// Gives a shown window the outer size `outer` (pixels), frame included; before
// the window is shown its frame is not known.
void SizeFrame(QWidget *window, const QSize &outer);

// Typed letters become capitals (Greek accents dropped, as the upper-case edit style does);
// the box keeps one line of visible text (SetOneLineText).
void SetUpperCase(QLineEdit *box);

// On receiving the focus the box selects its text from the start for its
// maximum length, as every Text1 box does.
void SelectTextOnFocus(QLineEdit *box);

// A VB colour value (&H00BBGGRR, or &H800000xx for a system colour) as a QColor.
QColor colourFromVb(qint64 vb, const QWidget *context = nullptr);

// Colours each control: white when its lower-case name (object name without the
// element, e.g. "text1") occurs in nameList, otherwise `theme`.
void ApplyColouring(QWidget *window, const QString &nameList, const QColor &theme);

// Enter in the window's line edits, lists and check boxes moves to the next control;
// on a focused button it presses the button. A control whose property
// OwnEnterProperty is true keeps Enter for itself.
void InstallEnterAsTab(QWidget *window);
inline constexpr const char *OwnEnterProperty = "kelvoraOwnEnter";

// Injects one key event into the focused widget (key down when keyDown is true).
void SendKeyPress(int qtKey, bool keyDown);

} // namespace ui
