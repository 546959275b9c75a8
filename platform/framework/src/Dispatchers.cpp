#include "OlvarUnified/ServicesDispatcher.h"
#include "OlvarUnified/TaskDispatcher.h"
#include "WorkQueueThread.h"

namespace OlvarUnified {

ServicesDispatcher::ServicesDispatcher() : m_thread(std::make_unique<WorkQueueThread>("ServicesDispatcher")) {}
ServicesDispatcher::~ServicesDispatcher() = default;

void ServicesDispatcher::enqueue(std::shared_ptr<Task> task, bool, bool) { m_thread->post(std::move(task)); }
void ServicesDispatcher::enqueueBlock(std::shared_ptr<Task> task, bool, bool) { m_thread->postAndWait(std::move(task)); }
bool ServicesDispatcher::checkForUpdateAccess() const { return m_thread->isOwnThread(); }
void ServicesDispatcher::drain() { m_thread->drain(); }
void ServicesDispatcher::stop() { m_thread->stop(); }

namespace Processing {

TaskDispatcher::TaskDispatcher(std::string name, int, int) : m_thread(std::make_unique<WorkQueueThread>(std::move(name))) {}
TaskDispatcher::~TaskDispatcher() = default;

void TaskDispatcher::enqueue(std::shared_ptr<Task> task) { m_thread->post(std::move(task)); }
const std::string& TaskDispatcher::getName() const { return m_thread->name(); }
bool TaskDispatcher::isDispatcherThread() const { return m_thread->isOwnThread(); }
void TaskDispatcher::drain() { m_thread->drain(); }

}  // namespace Processing
}  // namespace OlvarUnified
