#include "olvar/Mutex.h"

#include <cstdio>
#include <new>

namespace olvar {

Mutex::Mutex() : m_criticalSection(new (std::nothrow) std::recursive_mutex) {
    if (m_criticalSection == nullptr) {
        std::fputs("Error in Mutex::Mutex(): could not allocate memory\n", stdout);
    }
}

Mutex::~Mutex() {
    delete m_criticalSection;
}

void Mutex::lock() {
    if (m_criticalSection != nullptr) {
        m_criticalSection->lock();
    }
}

void Mutex::unlock() {
    if (m_criticalSection != nullptr) {
        m_criticalSection->unlock();
    }
}

}  // namespace olvar
