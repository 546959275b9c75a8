#include "OlvarUnified/Testing.h"

#include "olvar/PendingWork.h"

namespace OlvarUnified::Testing {

bool drainAll(std::chrono::milliseconds timeout) { return olvar::PendingWork::waitIdle(timeout); }

}  // namespace OlvarUnified::Testing
