#pragma once
// One VornPrn window per user: a start with a file hands the file to the program that already
// runs (over a local socket) instead of opening a second window. The running program answers
// "ok" once it has taken the file, so the starting one knows it may quit.
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString &serverName, QObject *parent = nullptr);

    // The server's name for a user's configuration folder: the programs of one user (with one
    // configuration folder) find each other, other users' do not.
    static QString NameFor(const QString &configFolder);

    // Hands the file (made absolute: the running program stands in another folder) to the
    // running program; true when it took it within `timeoutMs`.
    bool HandOff(const QString &file, int timeoutMs = 5000) const;
    // Answers the starts that follow. A socket left behind by a program that was killed is
    // removed first; false when another program answers already or the socket cannot be made.
    bool Listen();
    bool IsListening() const;

signals:
    // A file handed over by a later start (absolute path).
    void FileReceived(const QString &file);

private:
    void serve(QLocalSocket *socket);

    QString m_name;
    QLocalServer *m_server = nullptr;
};
