#pragma once

// Ends the event loop in order when the program is told to stop from outside:
// SIGTERM (a shutdown, the session's end, `kill`), SIGHUP (the terminal or
// the session went away) and SIGINT. The handler only writes a byte into a
// pipe; the loop reads it and quits, so main() returns and every window's
// stop (the in-use marker given back) runs as after a normal exit. A second
// such signal while the first is handled ends the process at once.
namespace orderlyend {

// Call once, after the application object exists.
void installSignalHandlers();

} // namespace orderlyend
