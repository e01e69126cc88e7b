#pragma once
// The up/down buttons beside a millimetre box: each press adds or takes 0.1 to what the box
// holds (read as typed, arithmetic allowed) and writes the sum back as plain decimal text.
// A box that does not read as a number is left alone, so the owner's check can reject it.
#include <QString>
#include <QWidget>

class QLineEdit;
class QToolButton;

class TenthSpinner : public QWidget {
    Q_OBJECT
public:
    // The buttons are named `name` (up) and `name` + "Down".
    TenthSpinner(QLineEdit *box, const QString &name, QWidget *parent = nullptr);

    QToolButton *UpButton() const { return m_up; }
    QToolButton *DownButton() const { return m_down; }

    // The text after one step up (direction > 0) or down; the text unchanged when it is not a
    // number.
    static QString Stepped(const QString &text, int direction);

signals:
    // After every step, when the button is let go: the owner applies the value.
    void released();

private:
    void step(int direction);

    QLineEdit *m_box;
    QToolButton *m_up;
    QToolButton *m_down;
};
