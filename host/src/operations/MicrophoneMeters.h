// The microphones' level meters: started by name, counted, so that two users of one meter
// share it, and read together.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Outcome.h"

namespace OlvarUnified {
class MediaDevice;
}

namespace Host {

class HostSession;

class MicrophoneMeters {
public:
    explicit MicrophoneMeters(HostSession& session);
    ~MicrophoneMeters();  // stops every meter still on
    MicrophoneMeters(const MicrophoneMeters&) = delete;
    MicrophoneMeters& operator=(const MicrophoneMeters&) = delete;

    // Not on the services dispatcher. Result: {"device": selection id, "on": bool}.
    Outcome start(const std::string& id);
    // By the selection id start gave; the meter goes off when its last user stops it.
    Outcome stop(const std::string& selectionId);
    void stopAll();
    bool empty() const;

    // On the services dispatcher: the level of each microphone whose meter is on.
    std::vector<std::pair<std::string, float>> readOnDispatcher();
    // Elsewhere: one microphone's level.
    float read(const std::string& selectionId);

private:
    struct Meter {
        std::shared_ptr<OlvarUnified::MediaDevice> device;  // touched on the services dispatcher only
        int users = 0;
    };

    HostSession& m_session;
    mutable std::mutex m_mutex;
    std::map<std::string, Meter> m_meters;
};

}  // namespace Host
