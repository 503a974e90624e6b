#include "reports/ui/SingleInstance.h"

#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int WaitMs = 1000;
const QByteArray RaiseLine = QByteArrayLiteral("raise");
const QByteArray OpenWord = QByteArrayLiteral("open ");

}  // namespace

QString SingleInstance::serverName(const QString& program, const QString& folder)
{
    const QByteArray path = QDir(folder).canonicalPath().toUtf8();
    return program + QLatin1Char('-') +
           QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::askToRaise(const QString& server, const QString& file)
{
    QLocalSocket socket;
    socket.connectToServer(server);
    if (!socket.waitForConnected(WaitMs))
        return false;
    QByteArray message = RaiseLine + '\n';
    if (!file.isEmpty())
        message += OpenWord + QFileInfo(file).absoluteFilePath().toUtf8() + '\n';
    socket.write(message);
    const bool sent = socket.waitForBytesWritten(WaitMs);
    socket.disconnectFromServer();
    return sent;
}

std::unique_ptr<SingleInstance> SingleInstance::claim(const QString& folder, const QString& file)
{
    const QString server = serverName(QStringLiteral("sumora"), folder);
    std::unique_ptr<InstanceLock> lock =
        InstanceLock::acquire(folder, QString::fromLatin1(InstanceLock::ReportProgramFile));
    if (!lock) {
        (void)askToRaise(server, file);
        return nullptr;
    }
    return std::unique_ptr<SingleInstance>(new SingleInstance(std::move(lock), server));
}

std::unique_ptr<SingleInstance> SingleInstance::listen(const QString& program, const QString& folder)
{
    return std::unique_ptr<SingleInstance>(new SingleInstance(nullptr, serverName(program, folder)));
}

// The lock is ours, so a socket of that name was left by a run that died.
SingleInstance::SingleInstance(std::unique_ptr<InstanceLock> lock, const QString& server)
    : m_lock(std::move(lock)), m_server(new QLocalServer(this))
{
    QLocalServer::removeServer(server);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    (void)m_server->listen(server);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answer);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::answer()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine())
                heard(socket->readLine().chopped(1));
        });
    }
}

void SingleInstance::heard(const QByteArray& line)
{
    if (line == RaiseLine)
        Q_EMIT raiseRequested();
    else if (line.startsWith(OpenWord) && line.size() > OpenWord.size())
        Q_EMIT openRequested(QString::fromUtf8(line.mid(OpenWord.size())));
}
