#pragma once

#include <functional>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP turned into a Qt signal: the handler only writes
// a byte into a pipe, and the event loop reads it and calls the handler,
// so the program ends by its orderly exit (settings saved, horizon written)
// when the desktop session ends. One instance per process.
class QuitSignals {
public:
    // `handler` runs on the event loop's thread with the signal's number.
    explicit QuitSignals(std::function<void(int)> handler);
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // False when the pipe or a handler could not be set up.
    bool installed() const { return m_installed; }

private:
    void readPipe();

    std::function<void(int)> m_handler;
    QSocketNotifier* m_notifier = nullptr;
    bool m_installed = false;
};
