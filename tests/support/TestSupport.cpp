#include "TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

ScriptedMsgBox::ScriptedMsgBox()
{
    m_previous = SetMsgBoxHandler([this](const QString &text, MsgStyle style) {
        m_shown.push_back({text, style});
        if (!m_answers.empty()) {
            MsgAnswer a = m_answers.front();
            m_answers.pop_front();
            return a;
        }
        if (style == MsgStyle::Question || style == MsgStyle::QuestionCancel
            || style == MsgStyle::ConfirmDefaultNo)
            return MsgAnswer::Yes;
        return MsgAnswer::Ok;
    });
}

ScriptedMsgBox::~ScriptedMsgBox()
{
    SetMsgBoxHandler(std::move(m_previous));
}

QStringList ScriptedMsgBox::texts() const
{
    QStringList out;
    for (const auto &s : m_shown)
        out << s.text;
    return out;
}

QString sourceDir() { return QString::fromUtf8(VORN_SOURCE_DIR_FOR_SUPPORT); }
QString testDataPath(const QString &relative) { return sourceDir() + "/tests/data/" + relative; }
QString binDir() { return QString::fromUtf8(VORN_BIN_DIR_FOR_SUPPORT); }

QString makeTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

bool CliBuilt() { return QFile::exists(binDir() + "/vornprn-cli"); }

CliRun RunCli(const QStringList &args, const QByteArray &stdinBytes)
{
    return RunCliProgram(QStringLiteral("vornprn-cli"), args, stdinBytes);
}

CliRun RunCliProgram(const QString &program, const QStringList &args, const QByteArray &stdinBytes,
                     const QMap<QString, QString> &environment)
{
    // The command line keeps its per-user settings (printer offsets, last choices) in the
    // configuration folder: the tests' runs get one of their own, so that a developer's stored
    // offsets never change what a test sees, nor a test the developer's settings.
    static const QString configHome = makeTempDir();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    for (auto it = environment.begin(); it != environment.end(); ++it)
        env.insert(it.key(), it.value());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program.contains('/') ? program : binDir() + "/" + program, args);
    p.write(stdinBytes);
    p.closeWriteChannel();
    p.waitForFinished(300000);
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

bool WaitUntil(const std::function<bool()> &done, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}
