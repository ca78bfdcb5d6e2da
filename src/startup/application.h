#pragma once

namespace skelvane {

// Starts Skelvane: the clock window, the tick and the event loop. Returns the process's
// exit code (closing the clock window ends the process directly with 0).
int RunApplication(int argc, char* argv[]);

} // namespace skelvane
