#include "net/ui_handover.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace skelvane {

void Synchronize(QObject* context, const std::function<void()>& procedure) {
    if (context == nullptr)
        return;
    if (QThread::currentThread() == context->thread()) {
        procedure();
        return;
    }
    // A blocking queued call: the worker waits on a semaphore that the user-interface thread
    // releases after the call, or when it discards the call because the context was deleted.
    QMetaObject::invokeMethod(context, procedure, Qt::BlockingQueuedConnection);
}

} // namespace skelvane
