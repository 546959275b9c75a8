// Told when a wave playback session has ended.
#pragma once

#include "module/Export.h"

namespace OlvarUnified {

class MDS_EXPORT SoundPlayUtilsObserver {
public:
    virtual ~SoundPlayUtilsObserver() = default;
    virtual void onSessionFinished(long sessionId) = 0;
};

}  // namespace OlvarUnified
