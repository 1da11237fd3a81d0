#pragma once

// Turns Ctrl-C (SIGINT), SIGTERM and SIGHUP into a flag the tool polls, so that
// an interrupted run still stops its import cleanly and removes its work
// folders instead of dying half-way.
class Interruption
{
public:
    // Installs the handlers; a broken pipe no longer ends the process either.
    static void install();
    static bool requested();
    // The signal that asked to stop (0 when none did).
    static int signalNumber();
};
