#include "featuresets/adapters/mediaDevice/playback/SoundPlayUtils.h"

#include <limits>
#include <map>

#include "featuresets/adapters/mediaDevice/playback/PlaybackObserver.h"
#include "featuresets/adapters/mediaDevice/playback/SessionIdSequence.h"
#include "featuresets/adapters/mediaDevice/playback/WaveFileSource.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"
#include "olvar/Mutex.h"
#include "velk/VelkWrapper.h"

namespace OlvarUnified {

namespace {

using olvar::velk::PcmPlayer;
using olvar::velk::PlayoutStreamPtr;
using SourcePtr = std::shared_ptr<WaveFileSource>;
using SessionId = std::int32_t;

const OlvarLoggerHandle& log() { return Loggers::SoundPlayUtils; }

void onStreamFinished(const PlayoutStreamPtr& stream);

struct PlaybackTables {
    olvar::Mutex tableMutex;
    std::map<SessionId, PlayoutStreamPtr> sessionStreams;
    std::map<PlayoutStreamPtr, SourcePtr> streamSources;  // ordered by stream address
    std::map<SessionId, SoundPlayUtilsObserver*> sessionObservers;
    SessionIdSequence sessionIds;
    // Declared last, so it leaves the player before the tables its calls use are destroyed.
    PlaybackObserver playbackObserver{&onStreamFinished};
};
PlaybackTables tables;

std::shared_ptr<PcmPlayer> currentPlayer() {
    auto manager = VelkWrapper::Instance()->Mgr();
    return manager ? manager->getPcmPlayer() : nullptr;
}

bool toSessionId(long id, SessionId& out) {
    if (id < std::numeric_limits<SessionId>::min() || id > std::numeric_limits<SessionId>::max()) return false;
    out = static_cast<SessionId>(id);
    return true;
}

// The stream of a session, or null.
PlayoutStreamPtr streamOf(long id) {
    SessionId key = 0;
    if (!toSessionId(id, key)) return nullptr;
    const auto found = tables.sessionStreams.find(key);
    return found == tables.sessionStreams.end() ? nullptr : found->second;
}

SourcePtr sourceOf(const PlayoutStreamPtr& stream) {
    const auto found = tables.streamSources.find(stream);
    return found == tables.streamSources.end() ? nullptr : found->second;
}

// With the table lock held.
long registerSession(const PlayoutStreamPtr& stream, const SourcePtr& source, SoundPlayUtilsObserver* observer) {
    tables.streamSources[stream] = source;
    const SessionId id = tables.sessionIds.take();
    tables.sessionStreams[id] = stream;
    if (observer) tables.sessionObservers[id] = observer;
    return id;
}

// Starts the stream and registers it under one hold of the table lock, so that an end
// reported at once by the player waits for the registration and is reported once.
long startSession(PcmPlayer& player, const SourcePtr& source, const std::string& device,
                  SoundPlayUtilsObserver* observer) {
    olvar::MutexGuard guard(tables.tableMutex);
    PlayoutStreamPtr stream;
    player.startStreamPlayout(stream, source->getFormat(), device, source.get());
    if (!stream) return -1;
    source->setStream(stream);
    return registerSession(stream, source, observer);
}

// With the table lock held: forgets the stream's session and tells its observer.
void finishStream(const PlayoutStreamPtr& stream) {
    SessionId id = -1;
    for (auto it = tables.sessionStreams.begin(); it != tables.sessionStreams.end(); ++it) {
        if (it->second == stream) {
            id = it->first;
            tables.sessionStreams.erase(it);
            break;
        }
    }
    const auto observer = tables.sessionObservers.find(id);
    if (observer != tables.sessionObservers.end()) {
        SoundPlayUtilsObserver* told = observer->second;
        told->onSessionFinished(id);
        tables.sessionObservers.erase(id);
    }
    tables.streamSources.erase(stream);  // releases the stream and, unless it moved on, the source
}

// On a player thread.
void onStreamFinished(const PlayoutStreamPtr& stream) {
    olvar::MutexGuard guard(tables.tableMutex);
    if (!tables.streamSources.count(stream)) return;
    finishStream(stream);
    // Ends the player did not report one by one are collected now.
    std::vector<PlayoutStreamPtr> ended;
    for (const auto& [playing, source] : tables.streamSources)
        if (!playing->isPlaying()) ended.push_back(playing);
    for (const auto& each : ended) finishStream(each);
}

}  // namespace

long SoundPlayUtils::PlayWaveFile(const std::string& file, const std::string& device, int volume, bool loop,
                                  SoundPlayUtilsObserver* observer) {
    MDS_LOG_TRACE(log(), "SoundPlayUtils::PlayWaveFile");
    const auto player = currentPlayer();
    if (!player) {
        MDS_LOG_ERROR(log(), "No PCM player in the device manager; not playing " << file);
        return -1;
    }
    tables.playbackObserver.attachTo(player);

    const auto source = std::make_shared<WaveFileSource>(file, volume, loop);
    if (source->getFormat() == 0) {
        MDS_LOG_WARNING(log(), "Creating wave file source failed. Does file exist: " << file);
        return -1;
    }
    MDS_LOG_DEBUG(log(), "startStreamPlayout for for file: " << file << " on playout device: " << device);
    const long id = startSession(*player, source, device, observer);
    if (id == -1) MDS_LOG_WARNING(log(), "Failed to start VELK session for wave file: " << file);
    return id;
}

void SoundPlayUtils::StopWaveFilePlayout(long sessionId) {
    olvar::MutexGuard guard(tables.tableMutex);
    if (const auto stream = streamOf(sessionId)) stream->stop();
}

void SoundPlayUtils::StopAllWaveFilePlayout() {
    olvar::MutexGuard guard(tables.tableMutex);
    for (const auto& [stream, source] : tables.streamSources)
        if (stream->isPlaying()) stream->stop();
}

void SoundPlayUtils::SetVolumeForPlayingSessions(int volume, std::shared_ptr<std::vector<long>> sessionIds) {
    if (!sessionIds) return;
    olvar::MutexGuard guard(tables.tableMutex);
    for (long id : *sessionIds) {
        if (const auto source = sourceOf(streamOf(id))) source->setVolume(volume);
    }
}

long SoundPlayUtils::ContinueSoundOnNewDevice(long sessionId, const std::string& device, int,
                                              SoundPlayUtilsObserver* observer) {
    const auto player = currentPlayer();
    if (player) tables.playbackObserver.attachTo(player);  // before the table lock, never under it

    olvar::MutexGuard guard(tables.tableMutex);
    const auto stream = streamOf(sessionId);
    const auto source = stream ? sourceOf(stream) : nullptr;
    if (!source) return -1;
    // The old entries stay until its end is reported; the old id is reported finished then.
    stream->stop();
    if (source->getFormat() == 0 || !player) return -1;
    return startSession(*player, source, device, observer);
}

bool SoundPlayUtils::IsAudioFileSupported(const std::string& file) { return isAudioFileSupported(file); }

void SoundPlayUtils::ClearSessionObservers() {
    olvar::MutexGuard guard(tables.tableMutex);
    tables.sessionObservers.clear();
}

}  // namespace OlvarUnified
