#pragma once

#include "platform/desktop/Messages.h"

// The presenter the program installs: a real modal QMessageBox.
class QMessageBox;

namespace msg {
Answer showMessageBox(const Box &box);
// Buttons, default button and a width that shows the whole title.
void prepareMessageBox(QMessageBox &mb, const Box &box);
// The width a box needs so that the window manager does not cut its title.
int titleFitWidth(const QString &title);
void installMessageBoxPresenter();
} // namespace msg
