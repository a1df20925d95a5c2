#pragma once

#include "platform/regional/Money.h"

#include <QString>
#include <functional>

class Store;

// What the main window shares with the pages it holds. The main window owns
// it; pages read and change it.
struct MainWindowState
{
    Store *store = nullptr;        // MainDb is store->main()
    bool OwnsMarker = false;       // this instance took the in-use marker
    int PreviousTab = 1;
    bool MovementSelected = false; // a movement is loaded for change or deletion
    Money DayIncome;
    Money DayExpense;
    Money DayBalance;
};

// The few things of the main window frame a page may touch.
struct PageContext
{
    MainWindowState *state = nullptr;
    // Bar1 panels, 1-based as the status bar numbers them.
    std::function<void(int panel, const QString &text)> setStatusPanel;
    // Shows or hides Command1(element) together with its caption label.
    std::function<void(int element, bool visible)> setButtonVisible;
};
