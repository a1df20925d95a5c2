#include "AppGlobals.h"

AppGlobals &globals()
{
    static AppGlobals g;
    return g;
}
