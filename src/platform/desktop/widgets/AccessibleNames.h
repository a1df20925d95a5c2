#pragma once

class QWidget;

namespace ui {

// Gives every picture button and entry field of the window that has no
// accessible name the text users see for it, so a screen reader says what it
// is: a button its own text, else the caption label under it (Label2(i) for
// Command1(i)), else its tooltip; a field the label whose buddy it is, else
// the label beside or above it in its layout, else its tooltip. Names already
// set are kept. Call once the window's controls are all built.
void NameControlsForAccessibility(QWidget *window);

} // namespace ui
