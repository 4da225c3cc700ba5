// The journal of a change across files: any bytes are a plan of ours or plainly not one.
#include "core/data/journal.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList targets;
    journal::parsePlan(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &targets);
    return 0;
}
