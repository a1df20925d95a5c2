// The property bag's text form on any text: a text that reads gives a bag
// whose own text reads back to an equal bag.
#include "controls/propertybag/property_bag_text.h"

#include "GuiApp.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureGuiApp("fuzz_propertybag");
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    kelvora::PropertyBagTextError error;
    const auto bag = kelvora::propertyBagFromText(text, &error);
    if (bag) {
        const auto again = kelvora::propertyBagFromText(kelvora::propertyBagToText(*bag));
        if (!again)
            std::abort();
    }
    return 0;
}
