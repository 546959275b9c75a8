// The adapter as the host drives it: start and stop, feature-set queries and dependencies,
// configuration read at start, the reset-data callback and the properties file across runs.
#include "MediaDeviceAdapterTestSupport.h"

namespace olvar::test {
namespace {

constexpr unsigned int kOtherFeatureSet = TELEPHONY_FEATURE_SET_TYPE;

ModuleOptions withConfig(std::vector<std::pair<std::wstring, std::wstring>> config) {
    ModuleOptions options;
    options.config = std::move(config);
    return options;
}

class MediaDeviceAdapterLifecycle : public AdapterModuleTest {
protected:
    void stop() {
        adapter->StopFeatureSet(kFeatureSet, noEvents());
        drain();
    }
    bool started() { return adapter->IsFeatureSetStarted(kFeatureSet); }
    void resetAllProviders() { systemService->getResetDataCallbackHolder()->resetAll(); }
};

// ---- start, stop and the feature-set queries ------------------------------------------

TEST_F(MediaDeviceAdapterLifecycle, SecondStartRebuildsListsOnceAndSecondStopIsHarmless) {
    setUpHost();
    inject();
    EXPECT_FALSE(started());
    start();
    const Ids speakers = preferredIds(kSpeaker);
    ASSERT_EQ(speakers.size(), 2u);

    start();
    EXPECT_TRUE(started());
    EXPECT_EQ(preferredIds(kSpeaker), speakers) << "rebuilt from the file, not appended to";

    // The observer is attached once however often the feature set starts...
    auto added = countServiceFires(&MediaDeviceServiceNotifiers::getDeviceAddedNotifier);
    plug(device(DEVICE_KIND_PLAYBACK, "usb-dock-spk", "USB\\VID_1111&PID_2222"));
    EXPECT_EQ(*added, 1);

    stop();
    EXPECT_FALSE(started());
    stop();
    EXPECT_FALSE(started());
    // ...and detached by the first stop.
    plug(device(DEVICE_KIND_PLAYBACK, "usb-dock-spk-2", "USB\\VID_1111&PID_3333"));
    EXPECT_EQ(*added, 1);
}

TEST_F(MediaDeviceAdapterLifecycle, OnlyTheMediaDeviceFeatureSetTypeActs) {
    setUpHost();
    inject();
    LogCapture logs;
    adapter->StartFeatureSet(kOtherFeatureSet, noEvents());
    drain();
    EXPECT_FALSE(started());
    EXPECT_TRUE(preferredIds(kSpeaker).empty());
    EXPECT_EQ(logs.count(OLVAR_LOG_WARNING, "Unable to start FeatureSetType 2100"), 1u);

    start();
    adapter->StopFeatureSet(kOtherFeatureSet, noEvents());
    EXPECT_TRUE(started());
    EXPECT_FALSE(adapter->IsFeatureSetStarted(kOtherFeatureSet));
    EXPECT_EQ(logs.count(OLVAR_LOG_WARNING, "Unable to stop FeatureSetType 2100"), 1u);

    EXPECT_TRUE(adapter->IsFeatureSetProvisioned(kFeatureSet));
    EXPECT_FALSE(adapter->IsFeatureSetProvisioned(kOtherFeatureSet));
    EXPECT_EQ(logs.count(OLVAR_LOG_WARNING, "Unknown FeatureSetType [2100]"), 1u);
}

TEST_F(MediaDeviceAdapterLifecycle, StartWithoutDeviceManagerCountsAsStartedWithEmptyLists) {
    LogCapture logs;
    ModuleOptions options;
    options.withDeviceManager = false;
    setUpStarted(options);

    EXPECT_TRUE(started());
    EXPECT_EQ(logs.count(OLVAR_LOG_ERROR, "can not get the VELK manager"), 1u);
    for (auto type : kAllTypes) {
        EXPECT_TRUE(preferredIds(type).empty()) << type;
        EXPECT_TRUE(availableIds(type).empty()) << type;
    }
    EXPECT_EQ(telephony->calls().count("setCaptureDeviceAvailable"), 0u);
    stop();
    EXPECT_FALSE(started());
}

// ---- reset-data callback ------------------------------------------------------------------

TEST_F(MediaDeviceAdapterLifecycle, ResetWhileStartedIsRefusedAndKeepsTheFile) {
    setUpStarted();
    ASSERT_TRUE(storeFileExists());
    LogCapture logs;
    resetAllProviders();
    EXPECT_EQ(logs.count(OLVAR_LOG_ERROR, "Media device feature set is not stopped"), 1u);
    EXPECT_TRUE(storeFileExists());
}

TEST_F(MediaDeviceAdapterLifecycle, ResetAfterStopDeletesTheFile) {
    setUpStarted();
    stop();
    ASSERT_TRUE(storeFileExists()) << "stop persists the lists";
    resetAllProviders();
    EXPECT_FALSE(storeFileExists());
}

TEST_F(MediaDeviceAdapterLifecycle, DestroyUnregistersTheResetCallback) {
    setUpStarted();
    auto holder = systemService->getResetDataCallbackHolder();
    ASSERT_EQ(holder->size(), 1u);
    adapter->Destroy();  // from a host thread: the removal runs on the dispatcher
    EXPECT_EQ(holder->size(), 0u);
    EXPECT_FALSE(started());
    resetAllProviders();
    EXPECT_TRUE(storeFileExists()) << "a destroyed adapter no longer hears resets";
}

// ---- dependencies and the telephony flags -----------------------------------------------

TEST_F(MediaDeviceAdapterLifecycle, WithoutConfigurationFeatureSetDependsOnTelephony) {
    ModuleOptions options = withConfig({{L"Telephony_Enabled", L"false"}});
    options.withConfigFeatureSet = false;
    setUpHost(options);
    inject();
    EXPECT_EQ(adapter->GetFeatureSetDependencies(kFeatureSet), std::vector<unsigned int>{TELEPHONY_FEATURE_SET_TYPE});
    EXPECT_TRUE(adapter->GetFeatureSetDependencies(kOtherFeatureSet).empty());
    start();  // nothing to read: defaults, and still a full start
    EXPECT_EQ(preferredIds(kSpeaker).size(), 2u);
}

TEST_F(MediaDeviceAdapterLifecycle, TelephonyEnabledDecidesTheDependencyAndAbsentKeyKeepsTheLastValue) {
    setUpHost(withConfig({{L"Telephony_Enabled", L" FALSE "}}));
    inject();
    EXPECT_TRUE(adapter->GetFeatureSetDependencies(kFeatureSet).empty());
    store->erase(L"Telephony_Enabled");
    EXPECT_TRUE(adapter->GetFeatureSetDependencies(kFeatureSet).empty()) << "absent: the flag keeps false";
    store->set(L"Telephony_Enabled", L"Yes");
    EXPECT_EQ(adapter->GetFeatureSetDependencies(kFeatureSet), std::vector<unsigned int>{TELEPHONY_FEATURE_SET_TYPE});
    EXPECT_TRUE(adapter->GetFeatureSetDependencies(kOtherFeatureSet).empty());
}

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct TelephonyFlags {
    const char* name;
    const wchar_t* telephony;
    const wchar_t* p2p;
    bool accessoriesTold;
};

class MediaDeviceAdapterTelephonyFlags : public MediaDeviceAdapterLifecycle, public ::testing::WithParamInterface<TelephonyFlags> {};

// Either flag hands current-device changes to the accessories side; the devices are
// switched through the audio control in every case.
TEST_P(MediaDeviceAdapterTelephonyFlags, FlagsReadWithTheDependenciesDecideWhetherAccessoriesAreTold) {
    setUpHost(withConfig({{L"Telephony_Enabled", GetParam().telephony}, {L"Telephony_P2P_Enabled", GetParam().p2p}}));
    inject();
    adapter->GetFeatureSetDependencies(kFeatureSet);  // the host asks before it starts
    start();
    EXPECT_EQ(accessories->calls().count("setCurrentAccessoryDevice") > 0, GetParam().accessoriesTold);
    EXPECT_EQ(telephony->audio()->calls().count("setCurrentSpeaker"), 1u);
    EXPECT_EQ(telephony->audio()->calls().count("setCurrentMicrophone"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Flags, MediaDeviceAdapterTelephonyFlags,
                         ::testing::Values(TelephonyFlags{"neither", L"false", L"false", false},
                                           TelephonyFlags{"peerToPeerOnly", L"false", L"true", true},
                                           TelephonyFlags{"telephonyOnly", L"true", L"0", true}),
                         caseName<TelephonyFlags>);

// ---- audio buffering mode -----------------------------------------------------------------

struct BufferingCase {
    const char* name;
    const wchar_t* value;
    int mode;
};

class MediaDeviceAdapterBufferingMode : public MediaDeviceAdapterLifecycle, public ::testing::WithParamInterface<BufferingCase> {};

TEST_P(MediaDeviceAdapterBufferingMode, ConfiguredModeReachesThePlayerInAnyLetterCase) {
    setUpStarted(withConfig({{L"AudioBufferingMode", GetParam().value}}));
    EXPECT_EQ(backend->audioBufferingMode(), GetParam().mode);
    EXPECT_EQ(backend->callCount("setAudioBufferingMode " + std::to_string(GetParam().mode)), 1u);
}

INSTANTIATE_TEST_SUITE_P(Values, MediaDeviceAdapterBufferingMode,
                         ::testing::Values(BufferingCase{"lowerCaseHigh", L"highquality", 0},
                                           BufferingCase{"upperCaseLow", L"LOWQUALITY", 1},
                                           BufferingCase{"mixedCaseHigh", L"HighQuality", 0},
                                           BufferingCase{"balanced", L"Balanced", 2},
                                           BufferingCase{"empty", L"", 2}),
                         caseName<BufferingCase>);

TEST_F(MediaDeviceAdapterLifecycle, AbsentBufferingModeLeavesThePlayerAlone) {
    setUpStarted();
    EXPECT_EQ(backend->callCount("setAudioBufferingMode"), 0u);
}

// ---- persistence across module runs -------------------------------------------------------

TEST_F(MediaDeviceAdapterLifecycle, ReorderedPreferredListSurvivesAFreshModule) {
    setUpStarted();
    const Ids initial = preferredIds(kSpeaker);
    ASSERT_EQ(initial, (Ids{"usb-headset-spk", "spk-builtin"}));
    const Ids microphones = preferredIds(kMicrophone);

    onDispatcher([&] {
        auto list = service->getPreferredDeviceList(kSpeaker);
        auto reversed = std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>(list->rbegin(), list->rend());
        service->modifyPreferredDeviceList(kSpeaker, reversed, std::make_shared<std::vector<std::shared_ptr<MediaDevice>>>());
    });
    drain();
    ASSERT_EQ(preferredIds(kSpeaker), (Ids{"spk-builtin", "usb-headset-spk"}));

    restartModuleKeepingStore();
    EXPECT_EQ(preferredIds(kSpeaker), (Ids{"spk-builtin", "usb-headset-spk"}));
    EXPECT_EQ(preferredIds(kMicrophone), microphones);
    // The first plugged-in entry of the stored order is the one switched into use.
    EXPECT_EQ(telephony->audio()->calls().count("setCurrentSpeaker spk-builtin"), 1u);
    EXPECT_EQ(telephony->audio()->calls().count("setCurrentSpeaker usb-headset-spk"), 0u);
}

TEST_F(MediaDeviceAdapterLifecycle, AdapterReorderPersistedOnRequestIsWhatTheNextRunReads) {
    setUpStarted();
    PreferredMediaDeviceList current = adapter->copyOfPreferredDeviceList(kMicrophone);
    ASSERT_EQ(current->size(), 2u);
    auto reordered = std::make_shared<std::vector<PreferredMediaDevicePtr>>(current->rbegin(), current->rend());
    const Ids expected = {reordered->at(0)->selectionId, reordered->at(1)->selectionId};
    adapter->modifyPreferredDeviceList(kMicrophone, reordered, nullptr);
    EXPECT_TRUE(adapter->persistPreferredDeviceList());
    drain();
    EXPECT_EQ(preferredIds(kMicrophone), expected);

    restartModuleKeepingStore();
    EXPECT_EQ(preferredIds(kMicrophone), expected);
}

TEST_F(MediaDeviceAdapterLifecycle, ReorderStoresCopiesOfTheCallersRecords) {
    setUpStarted();
    PreferredMediaDeviceList current = adapter->copyOfPreferredDeviceList(kMicrophone);
    ASSERT_EQ(current->size(), 2u);
    const Ids expected = {current->at(1)->selectionId, current->at(0)->selectionId};
    auto second = PreferredDeviceLists::copyOf(current->at(1));
    auto ordered = std::make_shared<std::vector<PreferredMediaDevicePtr>>(
        std::vector<PreferredMediaDevicePtr>{second, current->at(0)});
    adapter->modifyPreferredDeviceList(kMicrophone, ordered, nullptr);
    drain();
    // What the caller keeps of its request is its own: changing it later changes nothing here.
    second->volume = 7;
    second->selectionId = "changed by the caller";

    const auto after = adapter->copyOfPreferredDeviceList(kMicrophone);
    ASSERT_EQ(after->size(), 2u);
    EXPECT_EQ(after->at(0)->uniqueIdentifier, second->uniqueIdentifier);
    EXPECT_EQ(after->at(0)->selectionId, expected[0]);
    EXPECT_NE(after->at(0)->volume, 7);
    EXPECT_EQ(after->at(1)->uniqueIdentifier, current->at(0)->uniqueIdentifier);
    EXPECT_EQ(preferredIds(kMicrophone), expected);

    // The raw list is there for a caller that holds the type's lock.
    olvar::MutexGuard guard(adapter->getMutex(kMicrophone));
    const PreferredMediaDeviceList& stored = adapter->getPreferredDeviceList(kMicrophone);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->size(), 2u);
    EXPECT_NE(stored->at(0).get(), after->at(0).get());
}

}  // namespace
}  // namespace olvar::test
