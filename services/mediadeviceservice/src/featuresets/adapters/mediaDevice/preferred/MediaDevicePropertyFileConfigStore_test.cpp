#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "MediaDevicePropertyFileConfigStoreTestSupport.h"
#include "ModuleTestNames.h"
#include "olvar/LogCapture.h"

namespace olvar::test {
namespace {

using MediaDeviceTypeEnum::CAMERA;
using MediaDeviceTypeEnum::MICROPHONE;
using MediaDeviceTypeEnum::RINGER;
using MediaDeviceTypeEnum::SPEAKER;

const std::string kWorkedExample =
    "Speaker-ID-0: HWID-1\n"
    "Speaker-Name-0: Speakers\n"
    "Speaker-SelectionID-0: SEL-1\n"
    "Speaker-Volume-0: 80\n"
    "Speaker-DeviceInterface-0: Built-in Audio\n"
    "Speaker-FriendlyName-0: Speakers (Built-in Audio)\n"
    "Speaker-DeviceVendor-0: V1\n"
    "Speaker-ID-1: HWID-2\n"
    "Speaker-Name-1: Headset Earphone\n"
    "Speaker-SelectionID-1: SEL-2\n"
    "Speaker-Volume-1: -1\n"
    "Speaker-DeviceInterface-1: USB Headset\n"
    "Speaker-FriendlyName-1: Headset Earphone (USB Headset)\n"
    "Speaker-DeviceVendor-1: V2\n"
    "Microphone-ID-0: HWID-3\n"
    "Microphone-Name-0: Headset Microphone\n"
    "Microphone-SelectionID-0: SEL-3\n"
    "Microphone-Volume-0: 65\n"
    "Microphone-DeviceInterface-0: USB Headset\n"
    "Microphone-FriendlyName-0: Headset Microphone (USB Headset)\n"
    "Microphone-DeviceVendor-0: V2\n";

// The worked example's records, in an order that mixes types to show grouping on write.
PreferredMediaDeviceList workedExampleDevices() {
    return listOf({
        makeDevice(SPEAKER, "HWID-1", "Speakers", "SEL-1", 80, "Built-in Audio", "Speakers (Built-in Audio)", "V1"),
        makeDevice(MICROPHONE, "HWID-3", "Headset Microphone", "SEL-3", 65, "USB Headset",
                   "Headset Microphone (USB Headset)", "V2"),
        makeDevice(SPEAKER, "HWID-2", "Headset Earphone", "SEL-2", -1, "USB Headset",
                   "Headset Earphone (USB Headset)", "V2"),
    });
}

void expectStoredFieldsEqual(const PreferredMediaDeviceImpl& expected, const PreferredMediaDeviceImpl& actual) {
    EXPECT_EQ(actual.hardwareId, expected.hardwareId);
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_EQ(actual.selectionId, expected.selectionId);
    EXPECT_EQ(actual.volume, expected.volume);
    EXPECT_EQ(actual.deviceInterface, expected.deviceInterface);
    EXPECT_EQ(actual.friendlyName, expected.friendlyName);
    EXPECT_EQ(actual.vendor, expected.vendor);
    EXPECT_EQ(actual.type, expected.type);
    EXPECT_EQ(actual.instanceIdentifier, "");
    EXPECT_FALSE(actual.isPlugged);
    EXPECT_FALSE(actual.isSelectedIn);
    EXPECT_FALSE(actual.isPeakInitialised);
}

std::vector<std::string> hardwareIdsOf(const PreferredMediaDeviceList& devices) {
    std::vector<std::string> ids;
    for (const auto& device : *devices) ids.push_back(device->hardwareId);
    return ids;
}

// The store's own records, down to info level.
class StoreLogCapture : public olvar::log::LogCapture {
public:
    StoreLogCapture() : LogCapture(OLVAR_LOG_INFO, "MediadeviceService-MediaDevicePropertyFileConfigStore") {}
};

class PropertyFileConfigStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_directory.path().empty()) << "mkdtemp failed"; }

    std::string storeFile() const { return m_directory.file(kFileName); }
    MediaDevicePropertyFileConfigStore makeStore() const { return {kFileName, m_directory.path()}; }
    // A fresh store that has read whatever content the file holds.
    MediaDevicePropertyFileConfigStore storeReading(const std::string& content) const {
        writeBytes(storeFile(), content);
        MediaDevicePropertyFileConfigStore store = makeStore();
        store.readFromFile();
        return store;
    }

    TemporaryDirectory m_directory;
};

TEST_F(PropertyFileConfigStore, WorkedExampleIsWrittenByteForByteAndReadsBackAsTheSameRecords) {
    auto store = makeStore();
    const auto written = workedExampleDevices();
    EXPECT_TRUE(store.writeToFile(written));
    EXPECT_EQ(readBytes(storeFile()), kWorkedExample);

    struct stat info {};
    ASSERT_EQ(::stat(storeFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds user data";

    store.readFromFile();
    const auto speakers = store.getPreferredDeviceList(SPEAKER);
    const auto microphones = store.getPreferredDeviceList(MICROPHONE);
    ASSERT_EQ(speakers->size(), 2u);
    ASSERT_EQ(microphones->size(), 1u);
    expectStoredFieldsEqual(*(*written)[0], *(*speakers)[0]);
    expectStoredFieldsEqual(*(*written)[2], *(*speakers)[1]);
    expectStoredFieldsEqual(*(*written)[1], *(*microphones)[0]);
    EXPECT_NE((*speakers)[0]->uniqueIdentifier, (*speakers)[1]->uniqueIdentifier);
    EXPECT_TRUE(store.getPreferredDeviceList(RINGER)->empty());
    EXPECT_TRUE(store.getPreferredDeviceList(CAMERA)->empty());
}

TEST_F(PropertyFileConfigStore, GroupsAreWrittenSpeakerMicrophoneCameraRingerAndUnknownTypesAreDropped) {
    auto store = makeStore();
    store.writeToFile(listOf({
        makeDevice(RINGER, "R0", "r", "s", 1),
        nullptr,
        makeDevice(static_cast<MediaDeviceTypeEnum::MediaDeviceType>(7), "X0", "x", "s", 1),
        makeDevice(CAMERA, "C0", "c", "s", 1),
        makeDevice(MICROPHONE, "M0", "m", "s", 1),
        makeDevice(SPEAKER, "S0", "s", "s", 1),
    }));
    const std::string content = readBytes(storeFile());
    EXPECT_EQ(lineCount(content), 28u);
    EXPECT_EQ(content.find("Speaker-ID-0: S0\n"), 0u);
    const auto microphone = content.find("Microphone-ID-0: M0\n");
    const auto camera = content.find("Camera-ID-0: C0\n");
    const auto ringer = content.find("Ringer-ID-0: R0\n");
    EXPECT_LT(microphone, camera);
    EXPECT_LT(camera, ringer);
    EXPECT_NE(ringer, std::string::npos);
    EXPECT_EQ(content.find("X0"), std::string::npos);
}

TEST_F(PropertyFileConfigStore, OnlyCamerasGiveSevenCameraLinesEach) {
    auto store = makeStore();
    store.writeToFile(listOf({makeDevice(CAMERA, "C0", "Cam 0", "S0", -1), makeDevice(CAMERA, "C1", "Cam 1", "S1", 3)}));
    const std::string content = readBytes(storeFile());
    EXPECT_EQ(lineCount(content), 14u);
    std::istringstream lines(content);
    for (std::string line; std::getline(lines, line);) EXPECT_EQ(line.rfind("Camera-", 0), 0u) << line;

    store.writeToFile(listOf({}));
    EXPECT_EQ(readBytes(storeFile()), "");
    store.writeToFile(nullptr);
    EXPECT_EQ(readBytes(storeFile()), "");
}

TEST_F(PropertyFileConfigStore, DuplicatesAreDroppedOnWriteKeepingTheFirstAndClosingUpIndices) {
    auto store = makeStore();
    store.writeToFile(listOf({
        makeDevice(SPEAKER, "A", "Alpha", "SEL-A", 10, "", "first"),
        makeDevice(SPEAKER, "B", "Beta", "SEL-B", 20),
        makeDevice(SPEAKER, "A", "Alpha", "SEL-A", 30, "", "second"),
        makeDevice(SPEAKER, "a", "Alpha", "SEL-A", 40),  // differs in case: a different device
        makeDevice(MICROPHONE, "A", "Alpha", "SEL-A", 50),  // other type: not a duplicate
        makeDevice(SPEAKER, "C", "Gamma", "SEL-C", 60),
    }));
    const std::string content = readBytes(storeFile());
    EXPECT_NE(content.find("Speaker-Volume-0: 10\n"), std::string::npos);
    EXPECT_NE(content.find("Speaker-FriendlyName-0: first\n"), std::string::npos);
    EXPECT_NE(content.find("Speaker-ID-2: a\n"), std::string::npos);
    EXPECT_NE(content.find("Speaker-ID-3: C\n"), std::string::npos);
    EXPECT_EQ(content.find("Speaker-ID-4"), std::string::npos);
    EXPECT_EQ(content.find("second"), std::string::npos);

    store.readFromFile();
    EXPECT_EQ(hardwareIdsOf(store.getPreferredDeviceList(SPEAKER)), (std::vector<std::string>{"A", "B", "a", "C"}));
    EXPECT_EQ(hardwareIdsOf(store.getPreferredDeviceList(MICROPHONE)), (std::vector<std::string>{"A"}));
}

TEST_F(PropertyFileConfigStore, DuplicatesInTheFileAreDroppedOnRead) {
    auto store = storeReading(
        "Ringer-ID-0: A\nRinger-Name-0: n\nRinger-SelectionID-0: s\nRinger-Volume-0: 1\n"
        "Ringer-ID-1: A\nRinger-Name-1: n\nRinger-SelectionID-1: s\nRinger-Volume-1: 2\n"
        "Ringer-ID-2: A\nRinger-Name-2: other\nRinger-SelectionID-2: s\n");
    const auto ringers = store.getPreferredDeviceList(RINGER);
    ASSERT_EQ(ringers->size(), 2u);
    EXPECT_EQ((*ringers)[0]->volume, 1);
    EXPECT_EQ((*ringers)[1]->name, "other");
}

TEST_F(PropertyFileConfigStore, ValuesKeepTheirColonsThroughWriteAndRead) {
    auto store = storeReading("Speaker-ID-0: usb:1\nSpeaker-Name-0: A:B\nSpeaker-SelectionID-0: x::y::\n");
    auto speakers = store.getPreferredDeviceList(SPEAKER);
    ASSERT_EQ(speakers->size(), 1u);
    EXPECT_EQ((*speakers)[0]->hardwareId, "usb:1");
    EXPECT_EQ((*speakers)[0]->name, "A:B");
    EXPECT_EQ((*speakers)[0]->selectionId, "x::y::");

    store.writeToFile(listOf({makeDevice(MICROPHONE, "::lead", "mid::dle", "trail::", 5, "a:b:c", ":", "::")}));
    store.readFromFile();
    const auto microphones = store.getPreferredDeviceList(MICROPHONE);
    ASSERT_EQ(microphones->size(), 1u);
    expectStoredFieldsEqual(*makeDevice(MICROPHONE, "::lead", "mid::dle", "trail::", 5, "a:b:c", ":", "::"),
                            *(*microphones)[0]);
}

TEST_F(PropertyFileConfigStore, ParseLineSplitsAtTheFirstColonAndTrims) {
    struct Case {
        std::string line;
        bool parsed;
        std::string key;
        std::string value;
    };
    const std::vector<Case> cases = {
        {"Speaker-ID-0: HWID", true, "Speaker-ID-0", "HWID"},
        {"  Speaker-ID-0 \t:   spaced value  \r", true, "Speaker-ID-0", "spaced value"},
        {"key:a:b", true, "key", "a:b"},
        {"key:", true, "key", ""},
        {"no colon here ", true, "no colon here", ""},
        {": orphan value", true, "", "orphan value"},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        std::string key = "unset";
        std::string value = "unset";
        EXPECT_EQ(MediaDevicePropertyFileConfigStore::parseLine(c.line, key, value), c.parsed) << c.line;
        if (!c.parsed) continue;
        EXPECT_EQ(key, c.key) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}

TEST_F(PropertyFileConfigStore, ReaderToleratesDamagedContentAndOtherLineEnds) {
    auto store = storeReading(
        "\r\n"
        "Camera-Name-0: Second\r\n"
        "garbage line without colon\r\n"
        ": value without key\r\n"
        "\n"
        "  Camera-ID-0  :  CAM-0  \r\n"
        "Camera-Name-0: Third wins\r\n"
        "Camera-Volume-0: 12\r\n"
        "Camera-ID-2: CAM-2\r\n"
        "Speaker-ID-0: last line without line end");
    const auto cameras = store.getPreferredDeviceList(CAMERA);
    ASSERT_EQ(cameras->size(), 1u) << "the missing Camera-ID-1 ends the list";
    EXPECT_EQ((*cameras)[0]->hardwareId, "CAM-0");
    EXPECT_EQ((*cameras)[0]->name, "Third wins");
    EXPECT_EQ((*cameras)[0]->volume, 12);
    EXPECT_EQ((*cameras)[0]->selectionId, "");
    const auto speakers = store.getPreferredDeviceList(SPEAKER);
    ASSERT_EQ(speakers->size(), 1u);
    EXPECT_EQ((*speakers)[0]->hardwareId, "last line without line end");
}

TEST_F(PropertyFileConfigStore, VolumeThatIsMissingEmptyOrNotANumberIsMinusOne) {
    auto store = storeReading(
        "Microphone-ID-0: m0\nMicrophone-Volume-0:\n"
        "Microphone-ID-1: m1\nMicrophone-Volume-1: loud\n"
        "Microphone-ID-2: m2\nMicrophone-Volume-2: 12x\n"
        "Microphone-ID-3: m3\n"
        "Microphone-ID-4: m4\nMicrophone-Volume-4: -7\n"
        "Microphone-ID-5: m5\nMicrophone-Volume-5: 99999999999\n");
    const auto microphones = store.getPreferredDeviceList(MICROPHONE);
    std::vector<int> volumes;
    for (const auto& device : *microphones) volumes.push_back(device->volume);
    EXPECT_EQ(volumes, (std::vector<int>{-1, -1, -1, -1, -7, -1}));
}

TEST_F(PropertyFileConfigStore, ListsReflectTheLastReadNotLaterWritesOrRemoval) {
    StoreLogCapture logs;
    auto store = makeStore();
    store.writeToFile(workedExampleDevices());
    store.readFromFile();

    store.writeToFile(listOf({makeDevice(CAMERA, "C", "c", "s", 1)}));
    EXPECT_EQ(store.getPreferredDeviceList(SPEAKER)->size(), 2u);
    EXPECT_TRUE(store.getPreferredDeviceList(CAMERA)->empty());

    store.removeFileToCleanConfigStore();
    EXPECT_FALSE(std::filesystem::exists(storeFile()));
    EXPECT_EQ(store.getPreferredDeviceList(SPEAKER)->size(), 2u);
    const auto info = logs.atLevel(OLVAR_LOG_INFO);
    ASSERT_EQ(info.size(), 1u);
    EXPECT_EQ(info[0].message, "file removed [" + storeFile() + "]");

    store.readFromFile();
    for (auto type : {SPEAKER, RINGER, MICROPHONE, CAMERA}) EXPECT_TRUE(store.getPreferredDeviceList(type)->empty());
    store.removeFileToCleanConfigStore();  // nothing left to delete: harmless
}

TEST_F(PropertyFileConfigStore, MigrationCopiesOnlyTheLegacyFileAndKeepsIt) {
    const std::string legacy = m_directory.file(kLegacyFileName);
    auto store = makeStore();

    store.migrateLegacyFile();  // neither file
    EXPECT_FALSE(std::filesystem::exists(storeFile()));
    EXPECT_FALSE(std::filesystem::exists(legacy));

    writeBytes(legacy, kWorkedExample);
    store.migrateLegacyFile();  // only the legacy file
    EXPECT_EQ(readBytes(storeFile()), kWorkedExample);
    EXPECT_EQ(readBytes(legacy), kWorkedExample);
    store.readFromFile();
    EXPECT_EQ(store.getPreferredDeviceList(SPEAKER)->size(), 2u);

    const std::string current = "Ringer-ID-0: current\n";
    writeBytes(storeFile(), current);
    store.migrateLegacyFile();  // both: the current file wins
    EXPECT_EQ(readBytes(storeFile()), current);
    EXPECT_EQ(readBytes(legacy), kWorkedExample);
}

TEST_F(PropertyFileConfigStore, FailedWriteKeepsWhatWasThereAndLogsPathAndReason) {
    StoreLogCapture logs;
    const std::string missingDirectory = m_directory.path() + "missing/";
    MediaDevicePropertyFileConfigStore orphan(kFileName, missingDirectory);
    EXPECT_TRUE(orphan.writeToFile(workedExampleDevices()));
    EXPECT_FALSE(std::filesystem::exists(missingDirectory));

    // The target path is a directory holding data: it must survive the failed replacement.
    std::filesystem::create_directory(storeFile());
    writeBytes(storeFile() + "/keep", "kept");
    auto store = makeStore();
    EXPECT_TRUE(store.writeToFile(workedExampleDevices()));
    EXPECT_TRUE(std::filesystem::is_directory(storeFile()));
    EXPECT_EQ(readBytes(storeFile() + "/keep"), "kept");
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(m_directory.path()))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{kFileName}) << "no temporary file may be left behind";

    const auto errors = logs.atLevel(OLVAR_LOG_ERROR);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[0].message.find(missingDirectory + kFileName), std::string::npos) << errors[0].message;
    EXPECT_NE(errors[1].message.find(storeFile()), std::string::npos) << errors[1].message;
    const auto reason = errors[1].message.find("kept: ");
    ASSERT_NE(reason, std::string::npos) << errors[1].message;
    EXPECT_GT(errors[1].message.size(), reason + 6) << "the reason is missing: " << errors[1].message;
}

TEST_F(PropertyFileConfigStore, ConcurrentWritersAndReadersOfOneFileAlwaysSeeACompleteVersion) {
    const auto first = devicesOfAllTypes(2, "first");
    const auto second = devicesOfAllTypes(5, "second");
    auto reference = makeStore();
    reference.writeToFile(first);
    const std::string firstBytes = readBytes(storeFile());
    reference.writeToFile(second);
    const std::string secondBytes = readBytes(storeFile());

    auto writeRepeatedly = [this](const PreferredMediaDeviceList& devices) {
        auto store = makeStore();
        for (int i = 0; i < 15; ++i) store.writeToFile(devices);
    };
    std::vector<std::size_t> speakerCounts;
    std::thread writerOne(writeRepeatedly, first);
    std::thread writerTwo(writeRepeatedly, second);
    std::thread reader([&] {
        auto store = makeStore();
        for (int i = 0; i < 15; ++i) {
            store.readFromFile();
            speakerCounts.push_back(store.getPreferredDeviceList(SPEAKER)->size());
        }
    });
    writerOne.join();
    writerTwo.join();
    reader.join();

    for (std::size_t count : speakerCounts) EXPECT_TRUE(count == 2 || count == 5) << count;
    const std::string finalBytes = readBytes(storeFile());
    EXPECT_TRUE(finalBytes == firstBytes || finalBytes == secondBytes);
}

}  // namespace
}  // namespace olvar::test
