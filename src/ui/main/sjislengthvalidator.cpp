#include "sjislengthvalidator.h"

#include "data/sjis.h"

QValidator::State SjisLengthValidator::validate(QString &input, int &) const
{
    // A character without a Shift-JIS form would be stored as a stand-in, so it is refused
    // while typing rather than lost on saving.
    if (!sjis::isEncodable(input))
        return Invalid;
    return sjis::byteLength(input) <= m_maxBytes ? Acceptable : Invalid;
}
