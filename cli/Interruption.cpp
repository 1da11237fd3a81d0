#include "cli/Interruption.h"

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t g_signal = 0;

extern "C" void onStopSignal(int signal)
{
    g_signal = signal;
}
} // namespace

void Interruption::install()
{
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Restarting keeps library calls that do not expect EINTR working; the
    // flag is polled, so nothing needs waking up.
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool Interruption::requested()
{
    return g_signal != 0;
}

int Interruption::signalNumber()
{
    return g_signal;
}
