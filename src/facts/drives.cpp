#include "facts/drives.h"

#include <cctype>
#include <cstdio>

#include "facts/line_end.h"
#include "facts/mod_Disk_name_and_type.h"
#include "platform/call_thread.h"

using namespace mod_Disk_name_and_type;

namespace {

// X and Y are left out.
constexpr std::string_view kProbedLetters = "ABCDEFGHIJKLMNOPQRSTUVWZ";
// NTFS labels run to 32 characters; a shorter buffer fails the whole call.
constexpr size_t kLabelBuffer = 260 + 1;

std::string upperAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string lowerAscii(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The label up to its NUL and the serial number in words; false when the volume
// cannot be read (a drive without its medium).
bool readVolume(Volumes& volumes, const std::string& root, std::string& label,
                std::string& serial) {
    std::string buffer(kLabelBuffer, ' ');
    uint32_t number = 0;
    if (!volumes.getVolumeInformation(root, buffer, number)) return false;
    label = buffer.substr(0, buffer.find('\0'));
    serial = serialText(number);
    return true;
}

// Serial is replaced only when the volume could be read.
void GetVolumeInfo(Volumes& volumes, const std::string& Root, std::string& Label,
                   std::string& Serial) {
    Label.assign(kLabelBuffer, ' ');
    std::string label;
    if (!readVolume(volumes, Root, label, Serial)) return;
    Label = label.find_first_not_of(' ') == std::string::npos ? "(no label)" : label;
}

// The roots the system lists; nothing when it gives no list.
std::optional<std::vector<std::string>> listedRoots(Volumes& volumes) {
    std::string list = GetDriveList(volumes);
    // A list the system did not give holds no NUL.
    if (list.find('\0') == std::string::npos) return std::nullopt;
    std::vector<std::string> roots;
    while (list.find('\0') != std::string::npos && list != std::string(1, '\0'))
        roots.push_back(GetNextDrive(list));
    return roots;
}

void readVolumeAndSpace(Volumes& volumes, DriveRecord& d) {
    d.volumeRead = readVolume(volumes, d.root, d.label, d.serial);
    DriveSpace& s = d.space;
    d.spaceRead = volumes.getDiskFreeSpaceEx(d.root, s.FreeBytesAvailableToCaller,
                                             s.TotalNumberOfBytes, s.TotalNumberOfFreeBytes);
}

std::string driveBlock(const DriveStatistics& d, const std::string& separator) {
    const DriveSpace& s = d.space;
    std::string freePart =
        rawFigure(s.TotalNumberOfFreeBytes, separator) + unitPart(s.TotalNumberOfFreeBytes);
    std::string totalPart =
        rawFigure(s.TotalNumberOfBytes, separator) + unitPart(s.TotalNumberOfBytes);
    const std::string K = kLineEnd;
    return "Statistika pro Disk: " + upperAscii(d.root) + K + "Typ: " + d.type + K +
           "Jmenovka: " + d.label + K + "Seriové číslo: " + d.serial + K +
           "Celkové místo na svazku s FAT32: " + totalPart + K +
           "Volné místo na svazku s FAT32:     " + freePart;
}

}  // namespace

int16_t GetHiWord(int32_t dw) {
    return static_cast<int16_t>(dw >> 16);
}

int16_t GetLoWord(int32_t dw) {
    return static_cast<int16_t>(static_cast<uint16_t>(dw & 0xFFFF));
}

std::string serialText(uint32_t serial) {
    auto dw = static_cast<int32_t>(serial);
    char text[10];
    std::snprintf(text, sizeof text, "%04X-%04X",
                  static_cast<unsigned>(static_cast<uint16_t>(GetHiWord(dw))),
                  static_cast<unsigned>(static_cast<uint16_t>(GetLoWord(dw))));
    return text;
}

std::string rawFigure(uint64_t bytes, std::string_view decimalSeparator) {
    std::string figure = std::to_string(bytes / 10000);
    uint64_t rest = bytes % 10000;
    if (rest == 0) return figure;
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(rest));
    std::string fraction = digits;
    fraction.erase(fraction.find_last_not_of('0') + 1);
    return figure + std::string(decimalSeparator) + fraction;
}

std::string unitPart(uint64_t bytes) {
    // Thousands of bytes, rounded half to even, in 64 bits: volumes beyond 2.1 TB
    // would overflow the 32-bit amount.
    uint64_t thousands = bytes / 1000;
    uint64_t rest = bytes % 1000;
    if (rest > 500 || (rest == 500 && thousands % 2 == 1)) ++thousands;
    if (bytes > 1048576000) return " ( " + std::to_string(thousands / 1048576) + " GB )";
    return " ( " + std::to_string(thousands / 1024) + " MB )";
}

DrivesFound gatherDrives(Volumes& volumes, RegionalSettings& regional) {
    DrivesFound found;
    found.decimalSeparator = regional.decimalSeparator().value_or(".");
    std::string previous, serial;
    for (char letter : kProbedLetters) {
        DriveStatistics d;
        d.root = {letter, ':', '\\'};
        GetVolumeInfo(volumes, d.root, d.label, serial);
        if (!serial.empty() && serial != previous) {
            // A failing query leaves the counts at 0, never the previous drive's sizes.
            DriveSpace& s = d.space;
            volumes.getDiskFreeSpaceEx(d.root, s.FreeBytesAvailableToCaller, s.TotalNumberOfBytes,
                                       s.TotalNumberOfFreeBytes);
            d.type = GetDriveTypeText(volumes, d.root);
            d.serial = serial;
            found.drives.push_back(std::move(d));
        }
        previous = serial;
    }
    return found;
}

std::string drivesSection(const DrivesFound& found) {
    const std::string K = kLineEnd;
    std::string section;
    for (const DriveStatistics& d : found.drives)
        if (lowerAscii(d.type).find("připojený") == std::string::npos)
            section += K + K + driveBlock(d, found.decimalSeparator) + K;
    return section;
}

std::vector<DriveRoot> gatherDriveRoots(Volumes& volumes) {
    std::vector<DriveRoot> roots;
    for (std::string& root : listedRoots(volumes).value_or(std::vector<std::string>{})) {
        std::string type = GetDriveTypeText(volumes, root);
        roots.push_back({std::move(root), std::move(type)});
    }
    return roots;
}

std::optional<std::vector<DriveRecord>> gatherEveryDrive(Volumes& volumes,
                                                         std::chrono::milliseconds patience) {
    std::optional<std::vector<std::string>> roots = listedRoots(volumes);
    if (!roots) return std::nullopt;
    const SteadyClock::time_point deadline = SteadyClock::now() + patience;
    std::vector<DriveRecord> drives;
    struct Asked {
        size_t drive;
        std::shared_ptr<DriveRecord> read;  // the thread's, while it may still run
        CallThread thread;
    };
    std::vector<std::unique_ptr<Asked>> network;
    for (const std::string& root : *roots) {
        DriveRecord& d = drives.emplace_back();
        d.root = root;
        d.type = volumes.getDriveType(root);
        d.typeText = DriveTypeText(d.type, root);
        if (d.type != kDriveRemote) {
            readVolumeAndSpace(volumes, d);
            continue;
        }
        auto read = std::make_shared<DriveRecord>(d);
        auto& asked = network.emplace_back(new Asked{drives.size() - 1, read, {}});
        asked->thread.hand([&volumes, read] { readVolumeAndSpace(volumes, *read); });
    }
    for (const auto& asked : network) {
        DriveRecord& d = drives[asked->drive];
        if (asked->thread.waitUntil(deadline)) {
            d = *asked->read;
        } else {
            d.answered = false;
        }
    }
    return drives;
}

std::string driveRootBox(const DriveRoot& drive) {
    std::string text = " ";  // built by appending: GCC 12 warns falsely on " " + text
    text += upperAscii(drive.root) + " - " + drive.type;
    return text;
}

namespace {

// Windows' codes in words that stay the same in every language.
const char* typeName(uint32_t type) {
    switch (type) {
        case kDriveUnknown:
            return "unknown";
        case kDriveNoRootDir:
            return "noRootDir";
        case kDriveRemovable:
            return "removable";
        case kDriveFixed:
            return "fixed";
        case kDriveRemote:
            return "remote";
        case kDriveCdRom:
            return "cdrom";
        case kDriveRamDisk:
            return "ramdisk";
        default:
            return nullptr;
    }
}

Json drive(const DriveRecord& d) {
    Json found = Json::object();
    found["root"] = d.root;
    if (const char* name = typeName(d.type)) {
        found["type"] = name;
    } else {
        unread(found, "type", "Neznámý typ disku: " + std::to_string(d.type));
    }
    found["typeText"] = d.typeText;
    if (!d.answered) {
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(kNetworkDrivePatience);
        for (const char* key : {"label", "serial", "totalBytes", "freeBytes"})
            unread(found, key,
                   "Síťový disk neodpověděl do " + std::to_string(seconds.count()) + " s.");
        return found;
    }
    if (d.volumeRead) {
        found["label"] = d.label;
        found["serial"] = d.serial;
    } else {
        for (const char* key : {"label", "serial"})
            unread(found, key,
                   "Svazek se nepodařilo přečíst (GetVolumeInformation), "
                   "v jednotce možná není médium.");
    }
    if (d.spaceRead) {
        found["totalBytes"] = d.space.TotalNumberOfBytes;
        found["freeBytes"] = d.space.TotalNumberOfFreeBytes;
    } else {
        for (const char* key : {"totalBytes", "freeBytes"})
            unread(found, key, "Velikost svazku se nepodařilo zjistit (GetDiskFreeSpaceEx).");
    }
    return found;
}

}  // namespace

void drivesRecord(Json& record, Volumes& volumes) {
    std::optional<std::vector<DriveRecord>> found = gatherEveryDrive(volumes);
    if (!found) {
        unread(record, "drives", "Seznam disků se nepodařilo zjistit (GetLogicalDriveStrings).");
        return;
    }
    Json list = Json::array();
    for (const DriveRecord& d : *found) list.push_back(drive(d));
    record["drives"] = list;
}
