// Told when a wave playback session has ended.
#pragma once


namespace OlvarUnified {

class SoundPlayUtilsObserver {
public:
    virtual ~SoundPlayUtilsObserver() = default;
    virtual void onSessionFinished(long sessionId) = 0;
};

}  // namespace OlvarUnified
