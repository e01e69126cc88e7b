#pragma once
// What the program's dialogs share about typing: Enter moves on to the next field as Tab does,
// and a field that fails its check shows the message and then gets the focus with its text
// selected, so the user can type over it at once.
#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

// Enter (either key) in a text box, check box, option button or drop-down list inside
// `dialog` moves the focus to the next field, as Tab does; on a button Enter still presses it.
// Fields added to the dialog later are covered too.
void EnterMovesFocus(QWidget *dialog);

// Shows `message` (information icon), then focuses `field` and selects its text. Returns
// false, so that a check can read `return RejectField(txtStepX, text);`.
bool RejectField(QLineEdit *field, const QString &message);
// Puts the focus on the field with its text selected, without a message.
void FocusField(QLineEdit *field);

// The check of a numeric field: true when its text reads as a number (arithmetic allowed);
// otherwise rejects the field with "请输入合法值！".
bool CheckNumberField(QLineEdit *field);

// Keeps a number box and what the program uses from it in step: when the box is left or Enter
// is pressed in it, a text that reads as a number is accepted (then `accepted` runs); any other
// text is replaced by the value the box held before the edit, and the box is rejected with
// "请输入合法值！". A typo therefore never reaches the program as some default value.
class NumberBoxGuard : public QObject {
public:
    // The guard belongs to the box.
    explicit NumberBoxGuard(QLineEdit *box, std::function<void()> accepted = {});

    // The same check on demand (without running `accepted`): true when the box holds a number.
    bool Check();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Remember(const QString &text);

    QLineEdit *m_box;
    std::function<void()> m_accepted;
    QString m_previous; // the last number the box held
    bool m_rejecting = false;
};
