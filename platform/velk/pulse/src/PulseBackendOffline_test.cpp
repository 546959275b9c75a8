// The backend without a sound server: cameras from a folder laid out like sysfs, and an
// absent server that means no audio devices, logged once.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PulseTestSupport.h"
#include "olvar/LogCapture.h"
#include "olvar/PendingWork.h"
#include "olvar/TemporaryDirectory.h"
#include "velk/PcmFormat.h"
#include "velk/PulseBackend.h"

using namespace olvar::velk;

namespace olvar::test {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

// A camera as the kernel lays it out: the class entry links to the USB interface, whose
// parent is the USB device with its ids. A metadata node shares the interface.
class SysfsFolder {
public:
    SysfsFolder() : m_classRoot(fs::path(m_dir.path()) / "class/video4linux") { fs::create_directories(m_classRoot); }

    void addUsbCamera(const std::string& node, const std::string& name, const std::string& vendor,
                      const std::string& product, const std::string& index = "0") {
        const fs::path usbDevice = fs::path(m_dir.path()) / "devices/usb1" / ("1-" + node);
        writeFile(usbDevice / "idVendor", vendor);
        writeFile(usbDevice / "idProduct", product);
        const fs::path interface = usbDevice / ("1-" + node + ":1.0");
        writeFile(interface / "bInterfaceNumber", "00");
        writeFile(m_classRoot / node / "name", name);
        writeFile(m_classRoot / node / "index", index);
        fs::create_directory_symlink(interface, m_classRoot / node / "device");
    }
    // A camera on a PCI function: its ids hold "0x" and the subsystem is named too.
    void addPciCamera(const std::string& node, const std::string& name) {
        const fs::path function = fs::path(m_dir.path()) / "devices/pci0000:00" / ("0000:00:05." + node.substr(5));
        writeFile(function / "vendor", "0x8086");
        writeFile(function / "device", "0x9a19");
        writeFile(function / "subsystem_vendor", "0x17aa");
        writeFile(function / "subsystem_device", "0x22e4");
        writeFile(m_classRoot / node / "name", name);
        fs::create_directory_symlink(function, m_classRoot / node / "device");
    }
    void addPlainCamera(const std::string& node, const std::string& name) {
        writeFile(m_classRoot / node / "name", name);
    }
    void remove(const std::string& node) { fs::remove_all(m_classRoot / node); }
    std::string classRoot() const { return m_classRoot.string(); }

private:
    TemporaryDirectory m_dir{"mds-sysfs"};
    fs::path m_classRoot;
};

PulseBackendOptions offline(const std::string& classRoot) {
    PulseBackendOptions options;
    options.server = "unix:/nonexistent/mds-no-server";
    options.reconnectInterval = std::chrono::milliseconds(20);
    options.videoClassRoot = classRoot;
    options.cameraPollInterval = std::chrono::hours(1);  // the tests rescan explicitly
    return options;
}

std::vector<std::string> describe(const DeviceInfoList& devices) {
    std::vector<std::string> lines;
    for (const auto& d : devices) lines.push_back(d->getSelectionId() + "|" + d->getName() + "|" + d->getHardwareId());
    return lines;
}

TEST(PulseBackendCameras, ListsCaptureNodesWithTheirBusHardwareIdsOrOneFromTheirName) {
    SysfsFolder sysfs;
    sysfs.addUsbCamera("video0", "HD Webcam", "046d", "0825");
    sysfs.addUsbCamera("video1", "HD Webcam", "046d", "0825", "1");  // metadata node
    sysfs.addPlainCamera("video2", "Virtual Camera");
    sysfs.addPciCamera("video3", "IPU Camera");
    writeFile(fs::path(sysfs.classRoot()) / "not-a-video" / "name", "ignored");

    PulseBackend backend(offline(sysfs.classRoot()));
    EXPECT_EQ(describe(backend.devices(DEVICE_KIND_CAPTURE)),
              (std::vector<std::string>{"/dev/video0|HD Webcam|USB\\VID_046D&PID_0825&MI_00",
                                        "/dev/video2|Virtual Camera|V4L\\Virtual Camera\\",
                                        "/dev/video3|IPU Camera|PCI\\VEN_8086&DEV_9A19&SUBSYS_22E417AA"}));
    ASSERT_TRUE(backend.defaultDevice(DEVICE_KIND_CAPTURE));
    EXPECT_EQ(backend.defaultDevice(DEVICE_KIND_CAPTURE)->getSelectionId(), "/dev/video0");
}

TEST(PulseBackendCameras, NodesAppearingAndDisappearingAreReportedOnce) {
    SysfsFolder sysfs;
    sysfs.addPlainCamera("video0", "Built-in");
    PulseBackend backend(offline(sysfs.classRoot()));
    DeviceEvents events;
    auto monitor = backend.manager()->getDeviceMonitor();
    monitor->addObserver(&events);

    sysfs.addUsbCamera("video4", "USB Camera", "0b0e", "0410");
    backend.rescanCameras();
    backend.rescanCameras();  // nothing new: no second report
    sysfs.remove("video0");
    backend.rescanCameras();
    ASSERT_TRUE(PendingWork::waitIdle());

    EXPECT_EQ(events.log.lines(), (std::vector<std::string>{"added /dev/video4", "removed /dev/video0"}));
    EXPECT_EQ(describe(backend.devices(DEVICE_KIND_CAPTURE)),
              (std::vector<std::string>{"/dev/video4|USB Camera|USB\\VID_0B0E&PID_0410&MI_00"}));
    monitor->removeObserver(&events);
}

TEST(PulseBackendCameras, MissingFolderMeansNoCameras) {
    PulseBackend backend(offline("/nonexistent/mds-sysfs"));
    EXPECT_TRUE(backend.devices(DEVICE_KIND_CAPTURE).empty());
    EXPECT_FALSE(backend.defaultDevice(DEVICE_KIND_CAPTURE));
}

TEST(PulseBackendOffline, AbsentServerIsLoggedOnceAndMeansNoAudioDevices) {
    olvar::log::LogCapture logs(OLVAR_LOG_WARNING);
    PulseBackend backend(offline(""));
    // Retries run every 20 ms; the connection is still refused after several of them.
    EXPECT_FALSE(backend.waitUntilConnected(std::chrono::milliseconds(200)));
    EXPECT_EQ(logs.count(OLVAR_LOG_WARNING, "sound server not available"), 1u);

    EXPECT_TRUE(backend.devices(DEVICE_KIND_PLAYBACK).empty());
    EXPECT_TRUE(backend.devices(DEVICE_KIND_RECORDING).empty());
    EXPECT_FALSE(backend.defaultDevice(DEVICE_KIND_PLAYBACK));
    auto manager = backend.manager();
    ASSERT_TRUE(manager);
    auto volume = manager->getVolumeControl();
    EXPECT_EQ(volume->getSpeakerVolume("ci_speakers"), -1);
    EXPECT_FALSE(volume->setSpeakerVolume("ci_speakers", 50));
    EXPECT_FALSE(volume->initializePeak("ci_mic"));
    EXPECT_EQ(volume->getPeakLevel("ci_mic"), 0.0f);
    PlayoutStreamPtr stream;
    manager->getPcmPlayer()->startStreamPlayout(stream, PCM_FORMAT_L16_8K, "ci_speakers", nullptr);
    EXPECT_FALSE(stream);
    EXPECT_FALSE(backend.makeDefault(DEVICE_KIND_PLAYBACK, "ci_speakers"));
}

}  // namespace
}  // namespace olvar::test
