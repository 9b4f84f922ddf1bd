// The drives: the drives section of the complete report and the "Info o harddisku"
// boxes.

#include "facts/drives.h"

#include <cctype>
#include <cstdio>

#include "app/form1.h"
#include "facts/mod_Disk_name_and_type.h"
#include "ui/msgbox.h"

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

}  // namespace

std::string serialText(uint32_t serial) {
    auto dw = static_cast<int32_t>(serial);
    char text[10];
    std::snprintf(text, sizeof text, "%04X-%04X",
                  static_cast<unsigned>(static_cast<uint16_t>(Form1::GetHiWord(dw))),
                  static_cast<unsigned>(static_cast<uint16_t>(Form1::GetLoWord(dw))));
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

void Form1::GetVolumeInfo(const std::string& Root, std::string& Label, std::string& Serial) {
    std::string buffer(kLabelBuffer, ' ');
    Label = buffer;
    uint32_t number = 0;
    if (!os.drives.getVolumeInformation(os.ansi.toAnsi(Root).bytes, buffer, number)) return;
    Label = os.ansi.toUtf8(buffer.substr(0, buffer.find('\0')));
    if (Label.find_first_not_of(' ') == std::string::npos) Label = "(no label)";
    Serial = serialText(number);
}

void Form1::Info_o_HDD() {
    std::string separator = os.ansi.toUtf8(os.regional.decimalSeparator().value_or("."));
    std::string previous, serial;
    for (char letter : kProbedLetters) {
        std::string root{letter, ':', '\\'};
        std::string label;
        GetVolumeInfo(root, label, serial);
        if (!serial.empty() && serial != previous) {
            // A failing query shows 0, never the previous drive's sizes.
            FreeBytesAvailableToCaller = TotalNumberOfBytes = TotalNumberOfFreeBytes = 0;
            os.drives.getDiskFreeSpaceEx(os.ansi.toAnsi(root).bytes, FreeBytesAvailableToCaller,
                                         TotalNumberOfBytes, TotalNumberOfFreeBytes);
            std::string freePart =
                rawFigure(TotalNumberOfFreeBytes, separator) + unitPart(TotalNumberOfFreeBytes);
            std::string totalPart =
                rawFigure(TotalNumberOfBytes, separator) + unitPart(TotalNumberOfBytes);
            std::string type = GetDriveTypeText(os, root);
            const std::string& K = Konec_radku;
            std::string block = "Statistika pro Disk: " + upperAscii(root) + K + "Typ: " + type +
                                K + "Jmenovka: " + label + K + "Seriové číslo: " + serial + K +
                                "Celkové místo na svazku s FAT32: " + totalPart + K +
                                "Volné místo na svazku s FAT32:     " + freePart;
            if (lowerAscii(type).find("připojený") == std::string::npos)
                appendReport(K + K + block + K);
        }
        previous = serial;
    }
    advanceStep();
}

void Form1::cmd_Harddisk_Click() {
    std::string list = GetDriveList(os);
    // A list the system did not give holds no NUL, and has nothing to show.
    while (list.find('\0') != std::string::npos && list != std::string(1, '\0')) {
        std::string root = GetNextDrive(list);
        std::string text = " ";  // built by appending: GCC 12 warns falsely on " " + text
        text += upperAscii(root) + " - " + GetDriveTypeText(os, root);
        MsgBox(os.dialogs, text);
    }
}
