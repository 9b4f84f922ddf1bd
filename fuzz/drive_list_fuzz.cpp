// Any bytes as the drive root list: "Info o harddisku" walks it root by root, one box
// each, and stops where the list runs out, whatever shape it has.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "facts/drives.h"
#include "facts/mod_Disk_name_and_type.h"
#include "platform/platform_fake.h"
#include "require.h"

namespace {

std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::vector<std::string> piecesBetweenNuls(const std::string& list) {
    std::vector<std::string> pieces(1);
    for (char c : list) {
        if (c == '\0') {
            pieces.emplace_back();
        } else {
            pieces.back() += c;
        }
    }
    return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FakePlatform fake;
    fake.volumes.listFails = in.ConsumeIntegralInRange(0, 31) == 0;
    for (int i = in.ConsumeIntegralInRange(0, 4); i > 0; --i) {
        auto letter = static_cast<char>(in.ConsumeIntegralInRange('A', 'Z'));
        fake.volumes.drives[letter].type = in.ConsumeIntegralInRange<uint32_t>(0, 8);
    }
    fake.volumes.listBytes = in.ConsumeRemainingBytesAsString();
    std::string list = mod_Disk_name_and_type::GetDriveList(fake.volumes);
    require(fake.volumes.calls.size() <= 4);
    fake.volumes.calls.clear();
    std::vector<DriveRoot> drives = gatherDriveRoots(fake.volumes);

    // A root for each one ended by a NUL, except that the list's closing NUL ends it.
    std::vector<std::string> pieces = piecesBetweenNuls(list);
    size_t roots = pieces.size() - 1;
    if (roots > 0 && pieces[roots - 1].empty() && pieces[roots].empty()) --roots;
    std::vector<std::string> typesAsked;
    for (const std::string& call : fake.volumes.calls)
        if (call != "list") typesAsked.push_back(call);
    require(drives.size() == roots && typesAsked.size() == roots);
    for (size_t i = 0; i < roots; ++i) {
        require(typesAsked[i] == "type " + pieces[i]);
        require(driveRootBox(drives[i]).starts_with(" " + upperAscii(pieces[i]) + " - "));
    }
    return 0;
}
