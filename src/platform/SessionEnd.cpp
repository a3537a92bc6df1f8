#include "platform/SessionEnd.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <iterator>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may do almost nothing: it writes one byte to a socket,
// and the event loop, watching the other end, does the rest.
int g_paire[2] = {-1, -1};
constexpr int kSignaux[] = {SIGTERM, SIGHUP, SIGINT};
struct sigaction g_anciens[std::size(kSignaux)];

extern "C" void surSignal(int)
{
    const char octet = 1;
    [[maybe_unused]] const ssize_t ecrit = ::write(g_paire[1], &octet, 1);
}

bool ouvrePaire()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_paire) != 0) {
        g_paire[0] = g_paire[1] = -1;
        return false;
    }
    for (const int fd : g_paire) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return true;
}

void fermePaire()
{
    for (int &fd : g_paire) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

} // namespace
#endif

SessionEnd::SessionEnd(QObject *parent)
    : QObject(parent)
{
    // The desktop session ends (on Windows, the log-off or shut-down query):
    // the data must be saved before this call returns.
#ifndef QT_NO_SESSIONMANAGER
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this, &SessionEnd::annonce, Qt::DirectConnection);
#endif

#ifdef Q_OS_UNIX
    if (g_paire[0] >= 0 || !ouvrePaire())
        return;
    m_notifier = new QSocketNotifier(g_paire[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char octet;
        while (::read(g_paire[0], &octet, 1) > 0) {
        }
        annonce();
    });
    struct sigaction action = {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    // After the first signal the usual one is back: a second request ends
    // the process even if recording hangs.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(kSignaux); ++i)
        ::sigaction(kSignaux[i], &action, &g_anciens[i]);
#endif
}

SessionEnd::~SessionEnd()
{
#ifdef Q_OS_UNIX
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < std::size(kSignaux); ++i)
        ::sigaction(kSignaux[i], &g_anciens[i], nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    fermePaire();
#endif
}

void SessionEnd::annonce()
{
    if (m_annoncee)
        return;
    m_annoncee = true;
    emit ending();
}
