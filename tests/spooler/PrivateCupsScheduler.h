#pragma once
// A CUPS scheduler of the test's own: its configuration, socket, spool, state and logs all in
// one temporary folder, listening on a local socket only (no network port, no system queue,
// no system service touched), stopped when the object goes. Programs started afterwards find
// it through CUPS_SERVER, which Start() sets for this process.
#include <QProcess>
#include <QString>

class PrivateCupsScheduler {
public:
    PrivateCupsScheduler();
    ~PrivateCupsScheduler();
    PrivateCupsScheduler(const PrivateCupsScheduler &) = delete;
    PrivateCupsScheduler &operator=(const PrivateCupsScheduler &) = delete;

    // Starts the scheduler; false with the reason when this machine cannot run one.
    bool Start(QString *whyNot);
    // Adds an enabled queue that writes every job's PDF (after the spooler's own PDF filter)
    // into `outputFile`, without scaling. False with the reason when the queue was refused.
    bool AddPdfQueue(const QString &name, const QString &outputFile, QString *whyNot);
    // Waits until the queue has no pending job; false after `timeoutMs`.
    bool WaitUntilIdle(const QString &queue, int timeoutMs);
    // The job options the scheduler handed to the filters, as its log records them, in order.
    QStringList JobOptionLines() const;

    QString Folder() const { return m_folder; }
    QString Socket() const { return m_folder + QStringLiteral("/cups.sock"); }

private:
    bool writeConfiguration(QString *whyNot);
    bool run(const QString &program, const QStringList &args, QString *output) const;
    QString logTail() const;

    QString m_folder;
    QProcess m_cupsd;
};
