// Keeps the preferred-device lists of every type across runs in a key-colon-value text file.
#pragma once

#include <istream>
#include <map>
#include <string>

#include "featuresets/adapters/mediaDevice/PreferredMediaDeviceImpl.h"
#include "module/MediaDeviceTypes.h"
#include "olvar/Mutex.h"

namespace OlvarUnified {

class MediaDevicePropertyFileConfigStore {
public:
    // directory ends with its separator; the file's path is directory + fileName. Touches no file.
    MediaDevicePropertyFileConfigStore(std::string fileName, std::string directory);

    // Copies the previous generation's file into place when only that one exists.
    void migrateLegacyFile();
    // Replaces the in-memory key/value map with the file's content. A file that exists but
    // cannot be read is logged once and, until a later read succeeds, never written over.
    void readFromFile();
    // The devices of one type as the file held them at the last readFromFile(); never null.
    PreferredMediaDeviceList getPreferredDeviceList(MediaDeviceTypeEnum::MediaDeviceType type);
    // The same as readFromFile on text already in memory; the file is not touched.
    void readFromText(const std::string& text);
    // The file's content for the devices of all types, as writeToFile writes it.
    std::string fileContentOf(const PreferredMediaDeviceList& devices) const;
    // Rewrites the whole file from the devices of all types, atomically. Always true: a failed
    // or refused write is logged and leaves the previous file as it was.
    bool writeToFile(PreferredMediaDeviceList devices);
    // Deletes the file and the previous generation's file, so a reset is not undone by the
    // migration at the next start.
    void removeFileToCleanConfigStore();

    // Splits "key: value" at the first colon and trims both; false only for an empty line.
    static bool parseLine(const std::string& line, std::string& key, std::string& value);
    // Keeps the first of devices equal in hardware id, selection id and name, in order.
    static PreferredMediaDeviceList removeDuplicateDevices(const PreferredMediaDeviceList& devices);
    // "Speaker", "Ringer", "Microphone", "Camera"; empty for any other value.
    static std::string deviceTypeWord(MediaDeviceTypeEnum::MediaDeviceType type);

    // Serialises file access of every store instance; re-entrant for its owning thread.
    static olvar::Mutex storeFileLock;

private:
    std::string filePath() const;
    std::string valueOf(const std::string& key) const;
    std::string keyOf(const std::string& word, const std::string& infix, std::size_t index) const;
    void readKeyValues(std::istream& stream);
    void writeDeviceGroup(std::string& content, const PreferredMediaDeviceList& group) const;

    std::string m_fileName;
    std::string m_directory;
    std::map<std::string, std::string> m_keyValues;
    // Set by a read that found the file present but unreadable; guarded by storeFileLock.
    bool m_fileUnreadable = false;
    bool m_refusedWriteLogged = false;
    const std::string m_nameInfix;
    const std::string m_idInfix;
    const std::string m_selectionIdInfix;
    const std::string m_volumeInfix;
    const std::string m_friendlyNameInfix;
    const std::string m_deviceInterfaceInfix;
    const std::string m_deviceVendorInfix;
};

}  // namespace OlvarUnified
