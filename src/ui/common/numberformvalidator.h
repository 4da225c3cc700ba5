#pragma once

#include <QValidator>

class QLineEdit;

// With the input method on, as Japanese desktops have it, a 6 typed into a box comes as "６".
// A box that takes a number takes the full-width digits and signs as the half-width ones
// (textinput::halfWidthNumber), whether typed, pasted or committed by the input method, and
// shows them so. It refuses nothing: what is no number is the box's own check to tell.
class NumberFormValidator final : public QValidator
{
    Q_OBJECT

public:
    enum class Kind { Number, Time };

    explicit NumberFormValidator(Kind kind, QObject *parent = nullptr)
        : QValidator(parent), m_kind(kind)
    { }
    State validate(QString &input, int &pos) const override;

    // Gives the box the validator and asks the input method for plain digits, as a number box
    // on other desktops does.
    static void install(QLineEdit *edit, Kind kind = Kind::Number);

private:
    Kind m_kind;
};
