// The four record files: any bytes load as whole records, an untouched list is written back
// byte for byte, and a record that changed is encoded and read back without harm. The first
// byte chooses the kind of file.
#include "core/data/recordlist.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <class T> void check(const QByteArray &bytes)
{
    RecordList<T> list;
    list.load(bytes);
    const qsizetype whole = bytes.size() / RecordList<T>::Size * RecordList<T>::Size;
    if (list.encode() != bytes.first(whole))
        std::abort();
    if (list.isEmpty())
        return;
    list.set(0, list[0]);
    const QByteArray encoded = list.encode();
    if (encoded.size() != whole)
        std::abort();
    RecordList<T> again;
    again.load(encoded);
    if (again.size() != list.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 4) {
    case 0: check<TLinksRecord>(bytes); break;
    case 1: check<TCourseRecord>(bytes); break;
    case 2: check<TYoteiRecord>(bytes); break;
    default: check<TScoreRecord>(bytes); break;
    }
    return 0;
}
