#pragma once

#include <QtGlobal>
#include <compare>

// An exact amount of money in ten-thousandths of the currency unit, the
// precision the cash book has always kept. Never converted through binary
// floating point, so balances carried over thousands of days stay exact.
class Money
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static constexpr Money fromCents(qint64 cents) { return Money(cents * 100); }
    static constexpr Money fromWhole(qint64 whole) { return Money(whole * Scale); }

    constexpr qint64 units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }

    // Rounded to whole cents, halves away from zero (how amounts are shown).
    qint64 roundedCents() const;

    constexpr Money operator+(Money o) const { return Money(m_units + o.m_units); }
    constexpr Money operator-(Money o) const { return Money(m_units - o.m_units); }
    constexpr Money operator-() const { return Money(-m_units); }
    Money &operator+=(Money o) { m_units += o.m_units; return *this; }
    Money &operator-=(Money o) { m_units -= o.m_units; return *this; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};
