#pragma once
// ScriptProgressWindow: what the user sees while a conversion script runs. A script runs on the
// window thread, so nothing would be painted or clickable until it ends (up to its 30-minute
// limit, for a script caught in a loop). After the first second a small modal window says that
// the script is running and offers 中止; until then nothing shows, so quick scripts do not
// flash a window.
#include <QElapsedTimer>
#include <memory>

class QProgressDialog;

class ScriptProgressWindow {
public:
    // `quietMs`: how long a run goes before the window shows.
    explicit ScriptProgressWindow(qint64 quietMs = 1000);
    ~ScriptProgressWindow();

    // The progress handler of clsScriptRunner (see SetScriptProgressHandler).
    bool Update(bool finished);

private:
    qint64 m_quietMs;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_window;
};

// Installs a ScriptProgressWindow as the script runner's progress handler.
void InstallScriptProgressWindow();
