#pragma once

// How the control keeps its settings in a host's form: the entries of the
// property table, loaded in its order and saved when they differ from
// their defaults.

class Prynex;

namespace kelvora {
class PropertyBag;
}

namespace prynex {

// Every loaded entry is set, from the bag or from its default; an entry the
// engine refuses is skipped and loading goes on. Marks nothing changed.
void readProperties(Prynex &control, const kelvora::PropertyBag &bag);
// Every saved entry that differs from its default is stored.
void writeProperties(const Prynex &control, kelvora::PropertyBag &bag);

}  // namespace prynex
