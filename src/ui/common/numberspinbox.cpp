#include "numberspinbox.h"

#include "core/data/textinput.h"

NumberSpinBox::NumberSpinBox(QWidget *parent) : QSpinBox(parent)
{
    setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}

QValidator::State NumberSpinBox::validate(QString &input, int &pos) const
{
    input = textinput::halfWidthNumber(input);
    return QSpinBox::validate(input, pos);
}
