// The Greek money and date parsers on any text: an amount that is read must
// show and read back as the same amount; a date read must be a valid date.
#include "platform/regional/GreekFormats.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<Money> m = regional::parseMoney(text)) {
        const std::optional<Money> back = regional::parseMoney(regional::formatMoney(*m));
        if (back && back->roundedCents() != m->roundedCents())
            std::abort();
    }
    if (const std::optional<QDate> d = regional::parseDate(text, QDate(2026, 12, 8))) {
        if (!d->isValid())
            std::abort();
        (void)regional::formatDate(*d);
    }
    return 0;
}
