#pragma once

#include <functional>

namespace skelvane {

// Runs `work` on a thread of its own while the calling (user-interface) thread keeps
// serving its event loop, and returns once `work` has finished. This is how a download
// started from a button keeps the windows painting and ticking; the caller disables what
// could start the same download again. Called off the user-interface thread it simply runs
// `work`.
void RunKeepingEventsRunning(const std::function<void()>& work);

} // namespace skelvane
