#pragma once
// Drive roots, their types, volumes and space, as the ANSI kernel calls answer.
// Buffers are the caller's, filled in place as Windows fills them; text is UTF-8.

#include <cstdint>
#include <string>

// Drive-type codes in Windows' numbering, which counts them from 0 in this order.
enum DriveType : uint32_t {
    kDriveUnknown,
    kDriveNoRootDir,
    kDriveRemovable,
    kDriveFixed,
    kDriveRemote,
    kDriveCdRom,
    kDriveRamDisk,
};

struct Volumes {
    virtual ~Volumes() = default;
    // Writes the root list (each root and a NUL, then a NUL) into the front of
    // `buffer` when it fits, and returns its length without the final NUL; returns
    // the size needed, final NUL included, and leaves `buffer` alone when it does
    // not fit; returns 0 on failure.
    virtual uint32_t getLogicalDriveStrings(std::string& buffer) = 0;
    virtual uint32_t getDriveType(const std::string& root) = 0;
    // On success the label, ended by a NUL, is in the front of `label` (its size is
    // the capacity offered) and `serial` holds the volume's serial number. A label
    // that does not fit fails the call.
    virtual bool getVolumeInformation(const std::string& root, std::string& label,
                                      uint32_t& serial) = 0;
    // Byte counts; a failing call leaves them as they were.
    virtual bool getDiskFreeSpaceEx(const std::string& root, uint64_t& availableToCaller,
                                    uint64_t& totalBytes, uint64_t& totalFreeBytes) = 0;
};

struct Win32Volumes : Volumes {
    uint32_t getLogicalDriveStrings(std::string& buffer) override;
    uint32_t getDriveType(const std::string& root) override;
    bool getVolumeInformation(const std::string& root, std::string& label,
                              uint32_t& serial) override;
    bool getDiskFreeSpaceEx(const std::string& root, uint64_t& availableToCaller,
                            uint64_t& totalBytes, uint64_t& totalFreeBytes) override;
};
