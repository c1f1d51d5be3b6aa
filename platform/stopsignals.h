#pragma once

// The signals that ask a process to end — SIGINT (Ctrl+C), SIGTERM (a kill,
// a logout, a shutdown) and SIGHUP (its terminal gone) — noted instead, so
// that long work stops at its next step and the safe writers drop what they
// staged before the process ends. It then ends with the status a shell gives
// a process such a signal ended: 128 plus the signal's number.
class StopSignals {
  public:
    // From now on the three signals are noted rather than ending the process.
    static void Catch();
    // The signal received since Catch, or 0.
    static int Received();
    // 128 plus the signal received.
    static int ExitStatus();
    // Readable once a signal was received, so that an event loop wakes for
    // it; -1 before Catch.
    static int WakeDescriptor();
};
