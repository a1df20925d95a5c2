#pragma once

#include "controls/propertybag/font_value.h"
#include "controls/propertybag/ole_color.h"
#include "controls/propertybag/picture_value.h"

#include <QString>

#include <variant>

namespace kelvora {

// One stored value. The kinds stay distinct in the text form, so a value
// comes back with the kind it was stored with.
using PropertyValue = std::variant<QString, qint32, bool, OleColor, FontValue, PictureValue>;

} // namespace kelvora
