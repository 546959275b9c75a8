// The ids of playback sessions: counted up from 0, and from 0 again after 900001.
#pragma once

#include <cstdint>

namespace OlvarUnified {

class SessionIdSequence {
public:
    static constexpr std::int32_t kLastIdBeforeWrap = 900000;

    explicit SessionIdSequence(std::int32_t next = 0) : m_next(next) {}

    // The id of a new session. Not locked: the playback tables' lock guards it.
    std::int32_t take() {
        const std::int32_t id = m_next++;
        if (id > kLastIdBeforeWrap) m_next = 0;
        return id;
    }

private:
    std::int32_t m_next;
};

}  // namespace OlvarUnified
