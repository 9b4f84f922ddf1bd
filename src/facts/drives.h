#pragma once
// The drives: the drives section of the complete report ("Statistika pro Disk") and
// the "Info o harddisku" boxes.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "facts/record.h"
#include "platform/regional_settings.h"
#include "platform/volumes.h"

// Byte counts of a drive's space query; zero when the query failed.
struct DriveSpace {
    uint64_t FreeBytesAvailableToCaller = 0;
    uint64_t TotalNumberOfBytes = 0;
    uint64_t TotalNumberOfFreeBytes = 0;
};

// A probed drive with a serial number unlike the one probed before it.
struct DriveStatistics {
    std::string root;  // "C:\"
    std::string type;  // in words
    std::string label;
    std::string serial;  // HHHH-LLLL
    DriveSpace space;
};

struct DrivesFound {
    std::string decimalSeparator;  // UTF-8
    std::vector<DriveStatistics> drives;
};

// Probes the letters A to Z but X and Y, in order.
DrivesFound gatherDrives(Volumes& volumes, RegionalSettings& regional);
// A block per drive, each after two line ends; network drives are left out.
std::string drivesSection(const DrivesFound& found);

struct DriveRoot {
    std::string root;  // as the system lists it
    std::string type;  // in words
};

// The roots the system lists, with their types.
std::vector<DriveRoot> gatherDriveRoots(Volumes& volumes);

// A root the system lists, as a record for machines keeps it: all of them, network
// drives and X: and Y: too, and what could not be read is marked so.
struct DriveRecord {
    std::string root;  // as the system lists it
    uint32_t type = kDriveUnknown;
    std::string typeText;     // in words
    bool volumeRead = false;  // false: no label or serial (a drive without its medium)
    std::string label;        // up to its NUL, blank as it is
    std::string serial;       // HHHH-LLLL
    bool spaceRead = false;
    DriveSpace space;
    bool answered = true;  // false: a network drive that did not answer in time
};

// How long the network drives' volumes are waited for, all of them together.
inline constexpr std::chrono::milliseconds kNetworkDrivePatience{5000};

// Nothing when the system gives no list of roots. Network drives are asked at once, each
// on a thread of its own, and waited for until `patience` has passed: a drive whose
// server is gone would hold the run for the network's time-out, once per such drive.
std::optional<std::vector<DriveRecord>> gatherEveryDrive(
    Volumes& volumes, std::chrono::milliseconds patience = kNetworkDrivePatience);
// " C:\ - Pevný disk."
std::string driveRootBox(const DriveRoot& drive);

// The signed 16-bit halves of a 32-bit value.
int16_t GetHiWord(int32_t dw);
int16_t GetLoWord(int32_t dw);
// HHHH-LLLL, upper-case hexadecimal.
std::string serialText(uint32_t serial);
// The count divided by 10 000: the whole part, then the separator and the remainder's
// significant digits when there is a remainder ("123,45" for 1 234 500 bytes).
std::string rawFigure(uint64_t bytes, std::string_view decimalSeparator);
// " ( n MB )" or " ( n GB )", in the program's megabytes of 1 024 000 bytes and
// gigabytes of 1 048 576 000 bytes.
std::string unitPart(uint64_t bytes);

// "drives": every root the system lists.
void drivesRecord(Json& record, Volumes& volumes);
