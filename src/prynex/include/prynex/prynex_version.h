#pragma once

// The control's own version: Prynex::Version() answers 100 for 1.0.
#define PRYNEX_VERSION_MAJOR 1
#define PRYNEX_VERSION_MINOR 0
#define PRYNEX_VERSION_STRING "1.0"
#define PRYNEX_VERSION_NUMBER 100
