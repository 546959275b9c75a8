// The user's stored devices across every order of start, stop, persist, reset and destroy:
// they stay in the file or are deliberately reset, never emptied, never brought back.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "MediaDeviceAdapterTestSupport.h"
#include "MediaDevicePropertyFileConfigStoreTestSupport.h"
#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"

namespace olvar::test {
namespace {

namespace fs = std::filesystem;

enum class Op { Start, Stop, Persist, Reset, Destroy };
enum class StoredAs { CurrentFile, LegacyFile, Unreadable };

const char* nameOf(Op op) {
    switch (op) {
        case Op::Start: return "start";
        case Op::Stop: return "stop";
        case Op::Persist: return "persist";
        case Op::Reset: return "reset";
        case Op::Destroy: return "destroy";
    }
    return "?";
}

// Every sequence of up to three operations; Destroy, after which the host drops the adapter,
// only ever comes last.
std::vector<std::vector<Op>> allSequences() {
    const std::vector<Op> repeatable = {Op::Start, Op::Stop, Op::Persist, Op::Reset};
    std::vector<std::vector<Op>> sequences = {{}};
    for (std::size_t begin = 0, length = 0; length < 3; ++length) {
        const std::size_t end = sequences.size();
        for (std::size_t i = begin; i < end; ++i) {
            for (Op op : repeatable) {
                sequences.push_back(sequences[i]);
                sequences.back().push_back(op);
            }
        }
        begin = end;
    }
    const std::size_t withoutDestroy = sequences.size();
    for (std::size_t i = 0; i < withoutDestroy; ++i) {
        if (sequences[i].size() < 3) {
            sequences.push_back(sequences[i]);
            sequences.back().push_back(Op::Destroy);
        }
    }
    return sequences;
}

// Devices that are not plugged in, so only the file can bring them to the lists.
PreferredMediaDeviceList usersDevices() {

    return listOf({makeDevice(MediaDeviceTypeEnum::SPEAKER, "USB\\VID_AAAA&PID_0001", "Dock", "user-spk", 33),
                                     makeDevice(MediaDeviceTypeEnum::MICROPHONE, "USB\\VID_AAAA&PID_0002", "Boom", "user-mic", 44)});
}

class MediaDeviceAdapterPersistence : public AdapterModuleTest,
                               public ::testing::WithParamInterface<std::tuple<bool, StoredAs>> {
protected:
    bool withDeviceManager() const { return std::get<0>(GetParam()); }
    StoredAs storedAs() const { return std::get<1>(GetParam()); }
    std::string directory() const { return configDirectory() + "/"; }
    std::string legacyFile() const { return directory() + kLegacyFileName; }

    void storeUsersDevices() {
        switch (storedAs()) {
            case StoredAs::CurrentFile:
                MediaDevicePropertyFileConfigStore(kFileName, directory()).writeToFile(usersDevices());
                break;
            case StoredAs::LegacyFile:
                MediaDevicePropertyFileConfigStore(kLegacyFileName, directory())
                    .writeToFile(usersDevices());
                break;
            case StoredAs::Unreadable:
                // Tests run as root, whom mode bits do not stop: a directory in the file's place
                // exists, opens, and fails every read, as an I/O error would.
                fs::create_directory(propertiesFile());
                writeBytes(propertiesFile() + "/keep", "kept");
                break;
        }
    }

    // Runs the operations as the host and the service would, the way a run of the module ends.
    // Returns whether a reset took effect (the feature set was stopped and the adapter alive).
    bool run(const std::vector<Op>& sequence) {
        bool started = false, destroyed = false, reset = false;
        for (Op op : sequence) {
            switch (op) {
                // Drained: what a start posts to the service is not what this test is about.
                case Op::Start: start(); started = true; break;
                case Op::Stop: adapter->StopFeatureSet(kFeatureSet, noEvents()); started = false; break;
                // Queued on the worker and deliberately not drained: it races what follows.
                case Op::Persist: adapter->persistPreferredDeviceList(); break;
                case Op::Reset:
                    systemService->getResetDataCallbackHolder()->resetAll();
                    reset = reset || (!started && !destroyed);
                    break;
                case Op::Destroy: adapter->Destroy(); started = false; destroyed = true; break;
            }
        }
        adapter->StopFeatureSet(kFeatureSet, noEvents());
        adapter->Destroy();
        drain();
        return reset;
    }

    // The selection ids that the next start would load: the current file, or the legacy one
    // that it would migrate.
    std::vector<std::string> idsTheNextStartLoads() {
        const char* name = fs::exists(propertiesFile()) ? kFileName : kLegacyFileName;
        MediaDevicePropertyFileConfigStore store(name, directory());
        store.readFromFile();
        std::vector<std::string> ids;
        for (auto type : {MediaDeviceTypeEnum::SPEAKER, MediaDeviceTypeEnum::MICROPHONE}) {
            const PreferredMediaDeviceList devices = store.getPreferredDeviceList(type);
            for (const auto& device : *devices) ids.push_back(device->selectionId);
        }
        return ids;
    }

    static bool holdsUsersDevices(const std::vector<std::string>& ids) {
        int found = 0;
        for (const auto& id : ids) found += id == "user-spk" || id == "user-mic";
        return found == 2;
    }

    std::vector<std::string> leftoverTemporaries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(configDirectory()))
            if (entry.path().filename().string().find(".tmp.") != std::string::npos) names.push_back(entry.path());
        return names;
    }
};

TEST_P(MediaDeviceAdapterPersistence, UsersDevicesAreKeptOrDeliberatelyResetInEveryOrder) {
    LogCapture logs;  // hundreds of module runs: keep their expected errors off the console
    ModuleOptions options;
    options.withDeviceManager = withDeviceManager();
    for (const auto& sequence : allSequences()) {
        std::string description;
        for (Op op : sequence) description += std::string(nameOf(op)) + " ";
        SCOPED_TRACE("operations: " + description);
        setUpHost(options);
        storeUsersDevices();
        inject();

        const bool reset = run(sequence);

        if (storedAs() == StoredAs::Unreadable) {
            EXPECT_TRUE(fs::is_directory(propertiesFile()));
            EXPECT_EQ(readBytes(propertiesFile() + "/keep"), "kept");
        } else if (reset) {
            EXPECT_FALSE(holdsUsersDevices(idsTheNextStartLoads())) << "a reset brought the devices back";
            EXPECT_FALSE(fs::exists(legacyFile())) << "the migration would undo the reset";
        } else {
            EXPECT_TRUE(holdsUsersDevices(idsTheNextStartLoads())) << "the user's devices were lost";
        }
        EXPECT_TRUE(leftoverTemporaries().empty());
        tearDownModule();
        if (HasFailure()) return;  // one failing order says enough
    }
}

void PrintTo(StoredAs storedAs, std::ostream* out) {
    static const char* const names[] = {"CurrentFile", "LegacyFile", "Unreadable"};
    *out << names[static_cast<int>(storedAs)];
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<bool, StoredAs>>& info) {
    return std::string(std::get<0>(info.param) ? "DeviceManager" : "NoDeviceManager") +
           ::testing::PrintToString(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Stores, MediaDeviceAdapterPersistence,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(StoredAs::CurrentFile,
                                                                                 StoredAs::LegacyFile,
                                                                                 StoredAs::Unreadable)),
                         caseName);

class MediaDeviceAdapterUnreadableFile : public AdapterModuleTest {};

TEST_F(MediaDeviceAdapterUnreadableFile, ReasonIsLoggedOnceAndNoWriteReplacesTheFile) {
    setUpHost();
    // A link to a directory: every read fails, yet a rename would replace the link itself.
    const std::string elsewhere = configDirectory() + "/elsewhere";
    fs::create_directory(elsewhere);
    fs::create_directory_symlink(elsewhere, propertiesFile());
    LogCapture logs;
    inject();
    start();
    adapter->persistPreferredDeviceList();
    drain();
    adapter->StopFeatureSet(kFeatureSet, noEvents());

    EXPECT_TRUE(fs::is_symlink(propertiesFile())) << "the unreadable file was written over";
    EXPECT_EQ(logs.count(OLVAR_LOG_ERROR, "could not read ["), 1u);
    EXPECT_EQ(logs.count(OLVAR_LOG_WARNING, "not writing ["), 1u);
}

}  // namespace
}  // namespace olvar::test
