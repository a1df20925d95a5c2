#pragma once

#include "shell/contracts/Pages.h"

// The pages the program's main window holds.
PageFactories programPages();
