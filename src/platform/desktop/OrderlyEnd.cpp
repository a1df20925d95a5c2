#include "OrderlyEnd.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orderlyend {
namespace {

int pipeEnds[2] = {-1, -1};
volatile std::sig_atomic_t signalled = 0;

void onSignal(int signal)
{
    if (signalled) {
        // Asked twice: the first request is stuck somewhere; do not hang.
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    signalled = 1;
    const char byte = char(signal);
    (void)!::write(pipeEnds[0], &byte, 1);
}

} // namespace

void installSignalHandlers()
{
    if (pipeEnds[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    auto *notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, QCoreApplication::instance(), [] {
        char byte = 0;
        (void)!::read(pipeEnds[1], &byte, 1);
        // exit() ends every running loop, a modal window's too, so main()
        // returns wherever the program was waiting.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(s, &action, nullptr);
}

} // namespace orderlyend
