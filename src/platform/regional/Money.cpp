#include "Money.h"

qint64 Money::roundedCents() const
{
    const qint64 q = m_units / 100;
    const qint64 r = m_units % 100;
    if (r >= 50)
        return q + 1;
    if (r <= -50)
        return q - 1;
    return q;
}
