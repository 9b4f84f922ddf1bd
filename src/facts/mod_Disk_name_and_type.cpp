#include "facts/mod_Disk_name_and_type.h"

#include <cctype>

namespace mod_Disk_name_and_type {

namespace {

constexpr size_t kListBuffer = 64;

std::string trimSpaces(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string GetDriveList(Volumes& volumes) {
    std::string buffer(kListBuffer, ' ');
    uint32_t answer = volumes.getLogicalDriveStrings(buffer);
    // 16 roots and more do not fit the first buffer: the answer is the size needed.
    // Drives may come between the two calls, so ask again while it keeps growing.
    for (int attempt = 0; answer > buffer.size() && attempt < 3; ++attempt) {
        buffer.assign(answer, ' ');
        answer = volumes.getLogicalDriveStrings(buffer);
    }
    return trimSpaces(buffer);
}

std::string GetNextDrive(std::string& List) {
    size_t nul = List.find('\0');
    std::string root = List.substr(0, nul);
    List = nul == std::string::npos ? std::string() : List.substr(nul + 1);
    return root;
}

std::string GetDriveTypeText(Volumes& volumes, const std::string& Root) {
    return DriveTypeText(volumes.getDriveType(Root), Root);
}

std::string DriveTypeText(uint32_t type, const std::string& Root) {
    switch (type) {
        case kDriveUnknown:
            return "Typ disku nemohl být zjištěn.";
        case kDriveNoRootDir:
            return "Hlavní adresář nevytvořen.";
        case kDriveRemovable: {
            int letter = Root.empty() ? 0 : std::tolower(static_cast<unsigned char>(Root[0]));
            return letter == 'a' || letter == 'b' ? "Disketa." : "Výměnný disk.";
        }
        case kDriveFixed:
            return "Pevný disk.";
        case kDriveRemote:
            return "Připojený (síťový) disk.";
        case kDriveCdRom:
            return "CD-ROM disk.";
        case kDriveRamDisk:
            return "RAM disk.";
        default:
            return "";
    }
}

}  // namespace mod_Disk_name_and_type
