#pragma once

#include "platform/regional/Money.h"

namespace reports {

// Running memo, income and expense sums of the movement reports.
struct MovementSums
{
    Money memo, income, expense;

    void add(Money m, Money i, Money e)
    {
        memo += m;
        income += i;
        expense += e;
    }
};

} // namespace reports
