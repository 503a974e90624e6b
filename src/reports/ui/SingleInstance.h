#pragma once

#include <QObject>
#include <QString>

#include <memory>

class InstanceLock;
class QLocalServer;

// One report program per book: the first run holds the book folder's report
// lock and listens on a local socket named after the folder; a later run
// finds the lock held, asks the first one over the socket to come to the
// front (and to open the file it was given, if any), and ends.
//
// The socket carries lines: "raise", and "open PATH" with the file's
// absolute path in UTF-8.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket name of a program ("sumora", "tallyra") on a book folder.
    static QString serverName(const QString& program, const QString& folder);
    // Asks the run listening on `server` to come forward, and to open `file`
    // when one is given; false when none answered.
    static bool askToRaise(const QString& server, const QString& file = QString());

    // Null when another run holds the book: that run was asked to come forward
    // and to open `file`, if given.
    static std::unique_ptr<SingleInstance> claim(const QString& folder, const QString& file = QString());
    // Listens for raise requests to `program` on the book, for a program that
    // holds its book lock by other means (the main program's start-up).
    static std::unique_ptr<SingleInstance> listen(const QString& program, const QString& folder);
    ~SingleInstance() override;

Q_SIGNALS:
    // Another run asked this one to come to the front.
    void raiseRequested();
    // Another run was given this file to open (an absolute path).
    void openRequested(const QString& file);

private:
    SingleInstance(std::unique_ptr<InstanceLock> lock, const QString& server);
    void answer();
    void heard(const QByteArray& line);

    std::unique_ptr<InstanceLock> m_lock;
    QLocalServer* m_server;
};
