#pragma once

#include <functional>

class QObject;

namespace skelvane {

// The hand-over of the worker threads: runs `procedure` on the thread `context` lives on
// (the user-interface thread) and waits until it has run there. Called on that thread, it
// runs the procedure at once. When the context goes away before the procedure could run,
// the call returns without running it.
void Synchronize(QObject* context, const std::function<void()>& procedure);

} // namespace skelvane
