#include "ModalWatchdog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <gtest/gtest.h>

ModalWatchdog &ModalWatchdog::Instance()
{
    static ModalWatchdog watchdog;
    return watchdog;
}

ModalWatchdog::ModalWatchdog()
{
    m_timer.setInterval(250);
    connect(&m_timer, &QTimer::timeout, this, [this] { look(); });
    m_timer.start();
}

int ModalWatchdog::SetPatienceMs(int ms)
{
    std::swap(m_patienceMs, ms);
    return ms;
}

QString ModalWatchdog::Describe(const QWidget *window)
{
    QStringList parts{QString::fromLatin1(window->metaObject()->className())};
    if (!window->objectName().isEmpty())
        parts << window->objectName();
    parts << QStringLiteral("\"%1\"").arg(window->windowTitle());
    if (const auto *box = qobject_cast<const QMessageBox *>(window))
        parts << box->text();
    for (const QLabel *label : window->findChildren<QLabel *>())
        if (label->isVisible() && !label->text().isEmpty() && !parts.contains(label->text()))
            parts << label->text();
    for (const QLineEdit *edit : window->findChildren<QLineEdit *>())
        if (edit->isVisible() && !edit->text().isEmpty())
            parts << edit->objectName() + QLatin1Char('=') + edit->text();
    return parts.join(QStringLiteral(" | "));
}

void ModalWatchdog::look()
{
    QWidget *modal = QApplication::activeModalWidget();
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (modal != m_seen) {
        m_seen = modal;
        m_seenSinceMs = now;
        return;
    }
    if (!modal || now - m_seenSinceMs < m_patienceMs)
        return;
    ADD_FAILURE() << "a modal window stayed open " << (now - m_seenSinceMs) << " ms and was closed: "
                  << Describe(modal).toStdString();
    ++m_closed;
    m_seen = nullptr;
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->done(QDialog::Rejected);
    else
        modal->close();
}
