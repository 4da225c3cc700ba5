#pragma once

#include <QValidator>

// Refuses input that would not fit a string field of the data files, whose size counts
// Shift-JIS bytes (a full-width character takes two), or that Shift-JIS cannot hold.
class SjisLengthValidator final : public QValidator
{
    Q_OBJECT

public:
    SjisLengthValidator(int maxBytes, QObject *parent)
        : QValidator(parent), m_maxBytes(maxBytes) { }
    State validate(QString &input, int &pos) const override;

private:
    int m_maxBytes;
};
