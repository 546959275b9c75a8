#include "featuresets/adapters/mediaDevice/core/MediaDeviceBackgroundWorker.h"

#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"

namespace OlvarUnified {

namespace {
// Guards the first creation of the worker; created at load, destroyed at unload.
olvar::Mutex g_instanceMutex;
std::shared_ptr<MediaDeviceBackgroundWorker> g_instance;
}  // namespace

std::shared_ptr<MediaDeviceBackgroundWorker> MediaDeviceBackgroundWorker::instance() {
    olvar::MutexGuard guard(g_instanceMutex);
    if (!g_instance) g_instance = std::make_shared<MediaDeviceBackgroundWorker>();
    return g_instance;
}

MediaDeviceBackgroundWorker::MediaDeviceBackgroundWorker()
    : m_dispatcher(std::make_shared<Processing::TaskDispatcher>("MediaDevice-BackgroundWorker", 1, 100)) {}

void MediaDeviceBackgroundWorker::doTask(std::shared_ptr<FunctionTask> task) {
    if (!task) return;
    MDS_LOG_DEBUG(Loggers::MediaDeviceBackgroundWorker,
                  "Adding new task to MediaDeviceBackgroundWorker. Task name is: " << task->getName());
    m_dispatcher->enqueue(std::move(task));
}

bool MediaDeviceBackgroundWorker::isWorkerThread() const { return m_dispatcher->isDispatcherThread(); }

}  // namespace OlvarUnified
