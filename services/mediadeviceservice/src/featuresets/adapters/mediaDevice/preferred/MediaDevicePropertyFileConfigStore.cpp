#include "featuresets/adapters/mediaDevice/preferred/MediaDevicePropertyFileConfigStore.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "MirelCoreUtils/FileUtils.h"
#include "MirelCoreUtils/StringUtils.h"
#include "module/DeviceTypeTable.h"
#include "module/ModuleLog.h"
#include "module/ModuleStatics.h"

namespace OlvarUnified {

using MediaDeviceTypeEnum::MediaDeviceType;
using MirelCoreUtils::FileUtils;

namespace {
const OlvarLoggerHandle& log() { return Loggers::MediaDevicePropertyFileConfigStore; }

constexpr const char* kLegacyFileName = "deviceData3.properties";
constexpr const char* kKeyValueSeparator = ":";

bool sameStoredDevice(const PreferredMediaDeviceImpl& a, const PreferredMediaDeviceImpl& b) {
    return a.hardwareId == b.hardwareId && a.selectionId == b.selectionId && a.name == b.name;
}

void appendLine(std::string& content, const std::string& key, const std::string& value) {
    content.append(key).append(": ").append(value).push_back('\n');
}

PreferredMediaDeviceList newList() { return std::make_shared<std::vector<PreferredMediaDevicePtr>>(); }
}  // namespace

olvar::Mutex MediaDevicePropertyFileConfigStore::storeFileLock;

MediaDevicePropertyFileConfigStore::MediaDevicePropertyFileConfigStore(std::string fileName, std::string directory)
    : m_fileName(std::move(fileName)),
      m_directory(std::move(directory)),
      m_nameInfix("-Name-"),
      m_idInfix("-ID-"),
      m_selectionIdInfix("-SelectionID-"),
      m_volumeInfix("-Volume-"),
      m_friendlyNameInfix("-FriendlyName-"),
      m_deviceInterfaceInfix("-DeviceInterface-"),
      m_deviceVendorInfix("-DeviceVendor-") {}

std::string MediaDevicePropertyFileConfigStore::filePath() const { return m_directory + m_fileName; }

void MediaDevicePropertyFileConfigStore::migrateLegacyFile() {
    if (FileUtils::fileExists(filePath())) return;
    const std::string legacyPath = m_directory + kLegacyFileName;
    if (!FileUtils::fileExists(legacyPath)) return;
    FileUtils::copyFile(legacyPath, filePath(), true);
}

void MediaDevicePropertyFileConfigStore::readFromFile() {
    MDS_LOG_TRACE(log(), "MediaDevicePropertyFileConfigStore::readFromFile");
    olvar::MutexGuard guard(storeFileLock);
    m_keyValues.clear();
    m_fileUnreadable = false;
    m_refusedWriteLogged = false;
    const std::string path = filePath();
    std::ifstream stream;
    MirelCoreUtils::FstreamUtils::open(stream, path, std::ios_base::in);
    readKeyValues(stream);
    // A read error (or a directory in the file's place) sets badbit; a missing file is simply
    // no preferences yet. What could not be read must not be replaced by what little was.
    const int readError = errno;
    if ((!stream.is_open() || stream.bad()) && FileUtils::fileExists(path)) {
        m_fileUnreadable = true;
        MDS_LOG_ERROR(log(), "could not read [" << path << "]: " << std::strerror(readError)
                                                << "; it will not be written over until it can be read");
    }
    stream.close();
}

void MediaDevicePropertyFileConfigStore::readFromText(const std::string& text) {
    olvar::MutexGuard guard(storeFileLock);
    m_keyValues.clear();
    std::istringstream stream(text);
    readKeyValues(stream);
}

void MediaDevicePropertyFileConfigStore::readKeyValues(std::istream& stream) {
    std::string line;
    while (stream.good()) {
        std::getline(stream, line);
        if (line.empty()) continue;
        std::string key;
        std::string value;
        if (parseLine(line, key, value) && !key.empty()) m_keyValues[key] = std::move(value);
    }
}

bool MediaDevicePropertyFileConfigStore::parseLine(const std::string& line, std::string& key, std::string& value) {
    const std::vector<std::string> parts = MirelCoreUtils::split(line, kKeyValueSeparator);
    if (parts.empty()) return false;
    key = MirelCoreUtils::trim(parts.front());
    std::string joined;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (i > 1) joined.append(kKeyValueSeparator);
        joined.append(parts[i]);
    }
    value = MirelCoreUtils::trim(joined);
    return true;
}

std::string MediaDevicePropertyFileConfigStore::deviceTypeWord(MediaDeviceType type) {
    const DeviceTypeInfo* row = DeviceTypeTable::find(type);
    return row ? std::string(row->fileWord) : std::string();
}

std::string MediaDevicePropertyFileConfigStore::keyOf(const std::string& word, const std::string& infix,
                                                      std::size_t index) const {
    return word + infix + std::to_string(index);
}

std::string MediaDevicePropertyFileConfigStore::valueOf(const std::string& key) const {
    const auto found = m_keyValues.find(key);
    return found == m_keyValues.end() ? std::string() : found->second;
}

PreferredMediaDeviceList MediaDevicePropertyFileConfigStore::getPreferredDeviceList(MediaDeviceType type) {
    MDS_LOG_TRACE(log(), "MediaDevicePropertyFileConfigStore::getPreferredDeviceList");
    const std::string word = deviceTypeWord(type);
    PreferredMediaDeviceList devices = newList();
    const bool debugEnabled = OlvarLog_isDebugEnabled(log());
    std::string debugText;
    for (std::size_t index = 0;; ++index) {
        const std::string idKey = keyOf(word, m_idInfix, index);
        if (m_keyValues.find(idKey) == m_keyValues.end()) break;
        const std::string nameKey = keyOf(word, m_nameInfix, index);
        const std::string selectionIdKey = keyOf(word, m_selectionIdInfix, index);
        const std::string volumeKey = keyOf(word, m_volumeInfix, index);
        const std::string interfaceKey = keyOf(word, m_deviceInterfaceInfix, index);
        const std::string friendlyNameKey = keyOf(word, m_friendlyNameInfix, index);
        const std::string volumeText = valueOf(volumeKey);
        const int volume =
            volumeText.empty() ? -1 : MirelCoreUtils::toInt(MirelCoreUtils::toWideString(volumeText), -1);

        auto device = std::make_shared<PreferredMediaDeviceImpl>(
            valueOf(nameKey), valueOf(idKey), valueOf(selectionIdKey), type, volume, valueOf(interfaceKey),
            valueOf(friendlyNameKey), std::string(), valueOf(keyOf(word, m_deviceVendorInfix, index)));
        devices->push_back(device);
        if (!debugEnabled) continue;

        debugText.append("\nDevice Hardware Id: ").append(idKey).append(": ").append(device->hardwareId);
        debugText.append(" Device Name: ").append(nameKey).append(": ").append(device->name);
        debugText.append(" Selection Id: ").append(selectionIdKey).append(": ").append(device->selectionId);
        debugText.append(" Volume: ").append(volumeKey).append(": ").append(MirelCoreUtils::toString(volume));
        debugText.append(" Device Interface: ").append(interfaceKey).append(": ").append(device->deviceInterface);
        debugText.append(" Friendly Name: ").append(friendlyNameKey).append(": ").append(device->friendlyName);
    }
    MDS_LOG_DEBUG(log(), "\n" << debugText);
    return removeDuplicateDevices(devices);
}

PreferredMediaDeviceList MediaDevicePropertyFileConfigStore::removeDuplicateDevices(
    const PreferredMediaDeviceList& devices) {
    PreferredMediaDeviceList unique = newList();
    if (!devices) return unique;
    for (const PreferredMediaDevicePtr& device : *devices) {
        if (!device) continue;
        bool seen = false;
        for (const PreferredMediaDevicePtr& kept : *unique) seen = seen || sameStoredDevice(*kept, *device);
        if (!seen) unique->push_back(device);
    }
    return unique;
}

bool MediaDevicePropertyFileConfigStore::writeToFile(PreferredMediaDeviceList devices) {
    MDS_LOG_TRACE(log(), "MediaDevicePropertyFileConfigStore::writeToFile");
    olvar::MutexGuard guard(storeFileLock);
    const std::string path = filePath();
    if (m_fileUnreadable) {
        // The reason was logged by the read; say once that writes are held back because of it.
        if (!m_refusedWriteLogged)
            MDS_LOG_WARNING(log(), "not writing [" << path << "]: it could not be read, so it is kept as it is");
        m_refusedWriteLogged = true;
        return true;
    }
    std::string error;
    if (!FileUtils::writeFileAtomically(path, fileContentOf(devices), error))
        MDS_LOG_ERROR(log(), "could not write [" << path << "], previous file kept: " << error);
    return true;
}

std::string MediaDevicePropertyFileConfigStore::fileContentOf(const PreferredMediaDeviceList& devices) const {
    std::array<PreferredMediaDeviceList, 4> groups = {newList(), newList(), newList(), newList()};
    if (devices) {
        for (const PreferredMediaDevicePtr& device : *devices) {
            const DeviceTypeInfo* row = device ? DeviceTypeTable::find(device->type) : nullptr;
            if (row) groups[row->listSlot]->push_back(device);
        }
    }
    std::string content;
    for (MediaDeviceType type : DeviceTypeTable::kFileOrder)
        writeDeviceGroup(content, removeDuplicateDevices(groups[DeviceTypeTable::listSlot(type)]));
    return content;
}

void MediaDevicePropertyFileConfigStore::writeDeviceGroup(std::string& content,
                                                          const PreferredMediaDeviceList& group) const {
    for (std::size_t index = 0; index < group->size(); ++index) {
        const PreferredMediaDeviceImpl& device = *(*group)[index];
        const std::string word = deviceTypeWord(device.type);
        appendLine(content, keyOf(word, m_idInfix, index), device.hardwareId);
        appendLine(content, keyOf(word, m_nameInfix, index), device.name);
        appendLine(content, keyOf(word, m_selectionIdInfix, index), device.selectionId);
        appendLine(content, keyOf(word, m_volumeInfix, index), MirelCoreUtils::toString(device.volume));
        appendLine(content, keyOf(word, m_deviceInterfaceInfix, index), device.deviceInterface);
        appendLine(content, keyOf(word, m_friendlyNameInfix, index), device.friendlyName);
        appendLine(content, keyOf(word, m_deviceVendorInfix, index), device.vendor);
    }
}

void MediaDevicePropertyFileConfigStore::removeFileToCleanConfigStore() {
    olvar::MutexGuard guard(storeFileLock);
    const std::string path = filePath();
    FileUtils::removeFile(path);
    MDS_LOG_INFO_W(log(), L"file removed [" << MirelCoreUtils::toWideString(path) << L"]");
    const std::string legacyPath = m_directory + kLegacyFileName;
    if (FileUtils::fileExists(legacyPath) && FileUtils::removeFile(legacyPath))
        MDS_LOG_INFO_W(log(), L"file removed [" << MirelCoreUtils::toWideString(legacyPath) << L"]");
}

}  // namespace OlvarUnified
