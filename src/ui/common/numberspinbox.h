#pragma once

#include <QSpinBox>

// A spin box that takes full-width digits typed with the input method on as half-width ones.
class NumberSpinBox final : public QSpinBox
{
    Q_OBJECT

public:
    explicit NumberSpinBox(QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
};
