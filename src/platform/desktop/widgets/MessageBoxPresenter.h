#pragma once

#include "platform/desktop/Messages.h"

// The presenter the program installs: a real modal QMessageBox.
namespace msg {
Answer showMessageBox(const Box &box);
void installMessageBoxPresenter();
} // namespace msg
