// Units of work handed between threads.
#pragma once

#include <functional>
#include <string>

#include "OlvarUnified/Api.h"

namespace OlvarUnified {

class OLVAR_API Task {
public:
    virtual ~Task() = default;
    virtual void run() = 0;
    virtual const std::string& getName() const = 0;
};

// A task made of a callable and a name, named after what it calls.
class OLVAR_API FunctionTask : public Task {
public:
    FunctionTask(std::function<void()> function, std::string name)
        : m_function(std::move(function)), m_name(std::move(name)) {}
    void run() override {
        if (m_function) m_function();
    }
    const std::string& getName() const override { return m_name; }

private:
    std::function<void()> m_function;
    std::string m_name;
};

}  // namespace OlvarUnified
