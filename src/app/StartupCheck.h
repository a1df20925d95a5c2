#pragma once

#include <QString>

// Goes from launch to the log-in window without a user: every message box is
// written to standard error instead of shown, and counts as a failure. Prints
// one line and returns 0 when the log-in window was shown.
int runStartupCheck(const QString &programDir);
