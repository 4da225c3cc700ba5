// Golfer.dat: any bytes read as a list whose lines go back to the file as they came.
#include "core/data/golferlist.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    GolferList list = GolferList::parse(bytes);
    const QByteArray written = list.format();
    // Written once, the list reads back the same and writes the same bytes again.
    GolferList again = GolferList::parse(written);
    if (again.names() != list.names() || again.format() != written)
        std::abort();
    if (!list.names().isEmpty()) {
        list.removeAt(0);
        list.append(QStringLiteral("鈴木"));
        // A line left out as a repeat may come in once its first is gone; the new name is in.
        if (!GolferList::parse(list.format()).names().contains(QStringLiteral("鈴木")))
            std::abort();
    }
    return 0;
}
