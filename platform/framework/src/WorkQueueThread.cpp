#include "WorkQueueThread.h"

#include <pthread.h>

#include <exception>
#include <future>

#include "olvar/NamedLogger.h"
#include "olvar/OlvarLog.h"
#include "olvar/PendingWork.h"

namespace OlvarUnified {

namespace {
constexpr auto logger = &olvar::namedLogger<"OlvarUnified-WorkQueue">;
}  // namespace

WorkQueueThread::WorkQueueThread(std::string name) : m_state(std::make_shared<State>(std::move(name))) {
    m_thread = std::thread([state = m_state] {
        // The kernel keeps 15 characters of a thread name.
        pthread_setname_np(pthread_self(), state->name.substr(0, 15).c_str());
        loop(state);
    });
    m_threadId = m_thread.get_id();
}

WorkQueueThread::~WorkQueueThread() { stop(); }

void WorkQueueThread::stop() {
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->stopping = true;
    }
    m_state->wake.notify_all();
    if (isOwnThread()) {
        // Released from inside one of our own tasks: the loop ends by itself after it.
        m_thread.detach();
    } else if (m_thread.joinable()) {
        m_thread.join();
    }
}

void WorkQueueThread::post(std::shared_ptr<Task> task) {
    if (!task) {
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, __func__, "empty task refused by " + m_state->name);
        return;
    }
    accept(task);
}

bool WorkQueueThread::accept(std::shared_ptr<Task>& task) {
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        if (!m_state->finished) {
            olvar::PendingWork::begin();
            m_state->queue.push_back(std::move(task));
        }
    }
    if (task) {
        // Nothing would ever run it, and a drain of the process would wait for it forever.
        OlvarLog(logger(), OLVAR_LOG_WARNING, __FILE__, __LINE__, __func__,
                 "task \"" + task->getName() + "\" refused by " + m_state->name + ": it has stopped");
        return false;
    }
    m_state->wake.notify_one();
    return true;
}

void WorkQueueThread::postAndWait(std::shared_ptr<Task> task) {
    if (!task) {
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, __func__, "empty task refused by " + m_state->name);
        return;
    }
    if (isOwnThread()) {
        runGuarded(*task, m_state->name);
        return;
    }
    auto done = std::make_shared<std::promise<void>>();
    auto finished = done->get_future();
    std::shared_ptr<Task> wrapped = std::make_shared<FunctionTask>(
        [task, done, name = m_state->name] {
            runGuarded(*task, name);
            done->set_value();
        },
        task->getName());
    if (accept(wrapped)) finished.wait();
}

void WorkQueueThread::drain() {
    if (isOwnThread()) return;
    std::unique_lock<std::mutex> lock(m_state->mutex);
    m_state->idle.wait(lock, [this] { return m_state->queue.empty() && !m_state->busy; });
}

void WorkQueueThread::loop(const std::shared_ptr<State>& state) {
    std::unique_lock<std::mutex> lock(state->mutex);
    for (;;) {
        state->wake.wait(lock, [&] { return state->stopping || !state->queue.empty(); });
        if (state->queue.empty()) {  // stopping, and everything queued has run
            state->finished = true;
            break;
        }
        auto task = std::move(state->queue.front());
        state->queue.pop_front();
        state->busy = true;
        lock.unlock();
        runGuarded(*task, state->name);
        task.reset();
        lock.lock();
        state->busy = false;
        if (state->queue.empty()) state->idle.notify_all();
        // Counted last, so a drain of the whole process also sees this queue idle.
        olvar::PendingWork::end();
    }
    state->idle.notify_all();
}

void WorkQueueThread::runGuarded(Task& task, const std::string& queueName) {
    // A task that throws must not take the host's thread down with it.
    try {
        task.run();
    } catch (const std::exception& e) {
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, __func__,
                 "task \"" + task.getName() + "\" on " + queueName + " threw: " + e.what());
    } catch (...) {
        OlvarLog(logger(), OLVAR_LOG_ERROR, __FILE__, __LINE__, __func__,
                 "task \"" + task.getName() + "\" on " + queueName + " threw a non-standard exception");
    }
}

}  // namespace OlvarUnified
