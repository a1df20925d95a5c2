#pragma once

// The developer reference installed beside docs/PRYNEX.md: every property
// with its type, access, where it can be reached, how it is kept in a form
// and what its values mean, then the events. It is written from the property
// table, the value lists and the control's own meta-object when the library
// is built, so it describes what was built.

#include <QString>

namespace prynex {

QString referenceText();

}  // namespace prynex
