#include "ProgramPages.h"

PageFactories programPages()
{
    PageFactories pages;
    return pages;
}
