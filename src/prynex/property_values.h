#pragma once

// The values of the control's enumerated and numbered properties, with what
// each means, as the engine takes them. The developer reference is written
// from these lists and the tests hold them against the engine: every value
// of a closed list is taken, a value outside it refused.

#include <QString>

#include <vector>

namespace prynex {

struct ValueMeaning {
    int value;
    QString meaning;
};

enum class ValueKind {
    Closed,  // the listed values only; others are refused
    Flags,   // any sum of the listed values; others are refused
    Open,    // the listed values have a meaning; others are taken as noted
};

struct PropertyValues {
    const char *property;
    ValueKind kind;
    std::vector<ValueMeaning> values;
    const char *others;  // what other values do, for Open lists
};

const std::vector<PropertyValues> &propertyValues();
const PropertyValues *valuesOf(QStringView property);

}  // namespace prynex
