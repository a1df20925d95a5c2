#pragma once

// What every window of the program shares, set once at start: its own icon,
// Qt's own dialogs in Greek, F1 for the guide at the window's section, and
// accessible names on every window shown.
namespace desk {

void installProgramIcon();
// False when the translation could not be loaded (the dialogs stay in English).
bool installGreekQtTexts();
// F1 in any window of the program opens the guide there.
void installHelpKey();
void setUpProgram();

} // namespace desk
