#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::array<int, 2> pipeEnds{-1, -1};
constexpr std::array<int, 3> Handled{SIGTERM, SIGINT, SIGHUP};

// Only async-signal-safe calls here: one write, errno left as it was.
void onSignal(int number)
{
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> handler) : m_handler(std::move(handler))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds.data()) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { readPipe(); });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    m_installed = true;
    for (int number : Handled)
        m_installed = ::sigaction(number, &action, nullptr) == 0 && m_installed;
}

QuitSignals::~QuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = nullptr;  // SIG_DFL: the default action again
    sigemptyset(&action.sa_mask);
    for (int number : Handled)
        ::sigaction(number, &action, nullptr);
    delete m_notifier;
    for (int& end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void QuitSignals::readPipe()
{
    char byte = 0;
    while (::read(pipeEnds[1], &byte, 1) == 1)
        m_handler(static_cast<unsigned char>(byte));
}
