#include "platform/DialogInput.h"

#include "common/MsgBox.h"
#include "common/ToNumber.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QWidget>

namespace {

bool MovesOnWithEnter(const QObject *o)
{
    if (qobject_cast<const QCheckBox *>(o) || qobject_cast<const QRadioButton *>(o))
        return true;
    if (qobject_cast<const QAbstractButton *>(o))
        return false; // Enter presses a push button
    return qobject_cast<const QLineEdit *>(o) || qobject_cast<const QComboBox *>(o);
}

// Watches the application's key presses for the fields of one dialog.
class EnterAsTab : public QObject {
public:
    explicit EnterAsTab(QWidget *dialog) : QObject(dialog), m_dialog(dialog)
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || !MovesOnWithEnter(widget) || !m_dialog->isAncestorOf(widget))
            return false;
        // An open drop-down list takes Enter as its choice.
        if (const auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->view()->isVisible())
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(widget, &tab);
        return true;
    }

private:
    QWidget *m_dialog;
};
} // namespace

void EnterMovesFocus(QWidget *dialog)
{
    new EnterAsTab(dialog);
}

void FocusField(QLineEdit *field)
{
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

bool RejectField(QLineEdit *field, const QString &message)
{
    MsgBox(message, MsgStyle::Information);
    FocusField(field);
    return false;
}

bool CheckNumberField(QLineEdit *field)
{
    return ConvertsToNumber(field->text()) || RejectField(field, InvalidValueMessage());
}

NumberBoxGuard::NumberBoxGuard(QLineEdit *box, std::function<void()> accepted)
    : QObject(box), m_box(box), m_accepted(std::move(accepted))
{
    Remember(box->text());
    box->installEventFilter(this);
    // What the program writes into the box (settings, the template's values) is a number the
    // box may go back to.
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_box->hasFocus())
            Remember(text);
    });
}

void NumberBoxGuard::Remember(const QString &text)
{
    if (ConvertsToNumber(text))
        m_previous = text;
}

bool NumberBoxGuard::Check()
{
    if (m_rejecting)
        return false;
    if (ConvertsToNumber(m_box->text())) {
        m_previous = m_box->text();
        return true;
    }
    m_rejecting = true; // the message box takes the focus away from the box
    m_box->setText(m_previous);
    RejectField(m_box, InvalidValueMessage());
    m_rejecting = false;
    return false;
}

bool NumberBoxGuard::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        Remember(m_box->text());
        return false;
    case QEvent::FocusOut:
        if (!m_rejecting && Check() && m_accepted)
            m_accepted();
        return false;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (Check() && m_accepted)
            m_accepted();
        return true;
    }
    default:
        return false;
    }
}
