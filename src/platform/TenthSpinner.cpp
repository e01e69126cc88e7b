#include "platform/TenthSpinner.h"

#include "common/ToNumber.h"
#include "common/VbFormat.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QToolButton *ArrowButton(Qt::ArrowType arrow, QWidget *parent, const QString &name)
{
    auto *b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setObjectName(name);
    b->setFixedSize(18, 12);
    return b;
}
} // namespace

TenthSpinner::TenthSpinner(QLineEdit *box, const QString &name, QWidget *parent)
    : QWidget(parent), m_box(box), m_up(ArrowButton(Qt::UpArrow, this, name)),
      m_down(ArrowButton(Qt::DownArrow, this, name + QStringLiteral("Down")))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_up);
    column->addWidget(m_down);
    connect(m_up, &QToolButton::pressed, this, [this] { step(1); });
    connect(m_down, &QToolButton::pressed, this, [this] { step(-1); });
    connect(m_up, &QToolButton::released, this, &TenthSpinner::released);
    connect(m_down, &QToolButton::released, this, &TenthSpinner::released);
}

QString TenthSpinner::Stepped(const QString &text, int direction)
{
    if (!ConvertsToNumber(text))
        return text;
    return GeneralDouble(ToNumber(text, 0) + (direction > 0 ? 0.1 : -0.1));
}

void TenthSpinner::step(int direction)
{
    m_box->setText(Stepped(m_box->text(), direction));
}
