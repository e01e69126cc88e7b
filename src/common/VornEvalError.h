#pragma once
#include <QString>
#include <stdexcept>

// A failure raised by the expression evaluator's support classes; the code is the number added
// to the interface-error base 0x80040000 (1002 bad token, 1011/1012 empty stack, 1020-1022 symbols).
class VornEvalError : public std::runtime_error {
public:
    VornEvalError(int code, const QString &message)
        : std::runtime_error(message.toStdString()), m_code(code), m_message(message) {}
    int code() const { return m_code; }
    qint32 number() const { return qint32(0x80040000u + unsigned(m_code)); }
    QString message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};
