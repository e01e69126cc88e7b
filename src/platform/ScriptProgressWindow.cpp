#include "platform/ScriptProgressWindow.h"

#include "common/MsgBox.h"
#include "input/clsScriptRunner.h"

#include <QApplication>
#include <QProgressDialog>

ScriptProgressWindow::ScriptProgressWindow(qint64 quietMs) : m_quietMs(quietMs) {}
ScriptProgressWindow::~ScriptProgressWindow() = default;

bool ScriptProgressWindow::Update(bool finished)
{
    if (finished) {
        m_window.reset();
        m_clock.invalidate();
        return true;
    }
    if (!m_clock.isValid()) {
        m_clock.start();
        return true;
    }
    if (!m_window) {
        if (m_clock.elapsed() < m_quietMs)
            return true;
        m_window = std::make_unique<QProgressDialog>(QStringLiteral("正在运行转换脚本，请稍候……"),
                                                     QStringLiteral("中止(&S)"), 0, 0,
                                                     QApplication::activeWindow());
        m_window->setWindowTitle(AppTitle());
        // Modal to the whole program: while the script runs, only this window takes input.
        m_window->setWindowModality(Qt::ApplicationModal);
        m_window->setMinimumDuration(0);
        m_window->setAutoReset(false);
        m_window->setAutoClose(false);
        m_window->show();
    }
    QApplication::processEvents();
    return !m_window->wasCanceled();
}

void InstallScriptProgressWindow()
{
    auto window = std::make_shared<ScriptProgressWindow>();
    SetScriptProgressHandler([window](bool finished) { return window->Update(finished); });
}
