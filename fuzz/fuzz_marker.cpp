// The marker record as any bytes: decoding never fails, and a decoded record
// encodes to a record that decodes to the same names.
#include "data/InUseMarker.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const InUseMarker::Record r = InUseMarker::decode(bytes);
    (void)InUseMarker::holderText(r);
    const QByteArray again = InUseMarker::encode('1', r.user, r.computer);
    if (again.size() != InUseMarker::RecordLength)
        std::abort();
    const InUseMarker::Record back = InUseMarker::decode(again);
    if (!back.isTaken() || back.user.size() > InUseMarker::NameLength || back.computer.size() > InUseMarker::NameLength)
        std::abort();
    return 0;
}
