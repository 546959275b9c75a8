// The module's one background thread: runs adapter commands and device-event handlers
// one at a time, in posting order.
#pragma once

#include <memory>

#include "OlvarUnified/TaskDispatcher.h"

namespace OlvarUnified {

class MediaDeviceBackgroundWorker {
public:
    static std::shared_ptr<MediaDeviceBackgroundWorker> instance();

    void doTask(std::shared_ptr<FunctionTask> task);
    bool isWorkerThread() const;

    MediaDeviceBackgroundWorker();

private:
    std::shared_ptr<Processing::TaskDispatcher> m_dispatcher;
};

}  // namespace OlvarUnified
