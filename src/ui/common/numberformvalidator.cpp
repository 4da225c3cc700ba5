#include "numberformvalidator.h"

#include "core/data/textinput.h"

#include <QLineEdit>

QValidator::State NumberFormValidator::validate(QString &input, int &) const
{
    // Each character keeps its place, so the cursor stays where it was.
    input = m_kind == Kind::Time ? textinput::halfWidthTime(input)
                                 : textinput::halfWidthNumber(input);
    return Acceptable;
}

void NumberFormValidator::install(QLineEdit *edit, Kind kind)
{
    edit->setValidator(new NumberFormValidator(kind, edit));
    edit->setInputMethodHints(
        (kind == Kind::Time ? Qt::ImhTime | Qt::ImhPreferNumbers : Qt::ImhFormattedNumbersOnly)
        | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}
