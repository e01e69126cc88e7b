#pragma once
#include <QString>

// The ticker frame of the web link label: the text centred between blanks, rotated a few
// characters to the left on every tick.
class clsFlyChar {
public:
    void Init(const QString &text, qint16 mode, qint16 width);
    QString FlyString(qint16 n);

    QString Frame() const { return m_frame; }
    QString Width() const { return m_width; }

private:
    QString m_text;
    QString m_width; // kept as decimal text
    QString m_frame;
};
