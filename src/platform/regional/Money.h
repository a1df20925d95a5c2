#pragma once

#include <QtGlobal>
#include <compare>
#include <stdexcept>

// A sum of money that does not fit the 64-bit count of ten-thousandths. It is
// thrown rather than wrapped, so a total can never turn into a wrong figure.
class MoneyOverflow : public std::overflow_error
{
public:
    MoneyOverflow() : std::overflow_error("money amount out of range") {}
};

// An exact amount of money in ten-thousandths of the currency unit, the
// precision the cash book has always kept. Never converted through binary
// floating point, so balances carried over thousands of days stay exact.
// Addition and subtraction are checked: an overflow throws MoneyOverflow.
class Money
{
public:
    static constexpr qint64 Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(qint64 units) { return Money(units); }
    static constexpr Money fromCents(qint64 cents) { return Money(checkedMul(cents, 100)); }
    static constexpr Money fromWhole(qint64 whole) { return Money(checkedMul(whole, Scale)); }

    constexpr qint64 units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }

    // Rounded to whole cents, halves away from zero (how amounts are shown).
    qint64 roundedCents() const;

    constexpr Money operator+(Money o) const { return Money(checkedAdd(m_units, o.m_units)); }
    constexpr Money operator-(Money o) const { return Money(checkedSub(m_units, o.m_units)); }
    constexpr Money operator-() const { return Money(checkedSub(0, m_units)); }
    Money &operator+=(Money o) { return *this = *this + o; }
    Money &operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(qint64 units) : m_units(units) {}

    static constexpr qint64 checkedAdd(qint64 a, qint64 b)
    {
        qint64 r = 0;
        if (__builtin_add_overflow(a, b, &r))
            throw MoneyOverflow();
        return r;
    }
    static constexpr qint64 checkedSub(qint64 a, qint64 b)
    {
        qint64 r = 0;
        if (__builtin_sub_overflow(a, b, &r))
            throw MoneyOverflow();
        return r;
    }
    static constexpr qint64 checkedMul(qint64 a, qint64 b)
    {
        qint64 r = 0;
        if (__builtin_mul_overflow(a, b, &r))
            throw MoneyOverflow();
        return r;
    }

    qint64 m_units = 0;
};
