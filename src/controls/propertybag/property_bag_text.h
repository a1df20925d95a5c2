#pragma once

#include "controls/propertybag/property_bag.h"

#include <QString>

#include <optional>

namespace kelvora {

// The text form of a property bag that a host keeps in its form file. One
// entry a line, "Name = value", in the order of the bag:
//
//   Caption = "Kelvora \"3D\"\n"
//   Phase = 7
//   Enabled = False
//   ForeColor1 = &H8000000E&
//   Font = Font("DejaVu Sans", 9.75, Bold=True, Italic=False, Underline=False, Strikethrough=False, Charset=161)
//   Picture = Picture("iVBORw0KGgo...")
//
// The way a value is written tells its kind: a quoted text (escapes \\ \"
// \n \r \t \uXXXX), a whole number, True or False, a colour &HXXXXXXXX&, a
// Font(...) or a Picture(base64 of the image file). Blank lines and lines
// starting with '#' are skipped. Reading the text written from a bag gives
// back an equal bag.

struct PropertyBagTextError
{
    int line = 0; // 1-based
    QString message;
};

QString propertyBagToText(const PropertyBag &bag);

// Nothing is returned for a text with a fault (an unknown value form, a
// number out of range, a name given twice...): a half-read bag would load a
// control with a mixture of stored values and defaults.
std::optional<PropertyBag> propertyBagFromText(QStringView text, PropertyBagTextError *error = nullptr);

} // namespace kelvora
