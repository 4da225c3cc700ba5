#include "sjislengthvalidator.h"

#include "core/data/textinput.h"

QValidator::State SjisLengthValidator::validate(QString &input, int &) const
{
    // A character without a Shift-JIS form would be stored as a stand-in, so it is refused
    // while typing rather than lost on saving.
    return textinput::storableTextError(input, m_maxBytes).isEmpty() ? Acceptable : Invalid;
}
