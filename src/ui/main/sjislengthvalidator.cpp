#include "sjislengthvalidator.h"

#include "core/data/textinput.h"

QValidator::State SjisLengthValidator::validate(QString &input, int &) const
{
    // A look-alike takes the place of the character it stands for, as the box's guard puts it
    // in for a key; a paste gets here first.
    input = textinput::withShiftJisLookAlikes(input);
    // A character without a Shift-JIS form would be stored as a stand-in, so it is refused
    // while typing rather than lost on saving.
    return textinput::storableTextError(input, m_maxBytes).isEmpty() ? Acceptable : Invalid;
}
