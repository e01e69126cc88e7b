#pragma once
// For the widget tests: a modal window that nobody closes (a message box a broken precondition
// brought up) would hold the test until ctest gives up minutes later, hiding the assertion
// that matters. The watchdog looks at the modal windows twice a second; one still open after
// its patience is a test failure that names the window and its text, and it is closed so that
// the test goes on to its end.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class ModalWatchdog : public QObject {
public:
    // Installed once, by the widget tests' main.
    static ModalWatchdog &Instance();
    // How long a modal window may stay open (5 s unless a test says otherwise); returns the old.
    int SetPatienceMs(int ms);
    // The modal windows closed so far.
    int Closed() const { return m_closed; }
    // What the failure says of a window: its class, name, title and every text it shows.
    static QString Describe(const QWidget *window);

private:
    ModalWatchdog();
    void look();

    QTimer m_timer;
    QPointer<QWidget> m_seen; // the modal window being watched
    qint64 m_seenSinceMs = 0;
    int m_patienceMs = 5000;
    int m_closed = 0;
};
