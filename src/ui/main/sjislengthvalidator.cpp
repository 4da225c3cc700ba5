#include "sjislengthvalidator.h"

#include "data/sjis.h"

QValidator::State SjisLengthValidator::validate(QString &input, int &) const
{
    return sjis::byteLength(input) <= m_maxBytes ? Acceptable : Invalid;
}
