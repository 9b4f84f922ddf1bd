// Any bytes as the three system folders, and any text cut at its first NUL:
// "DIR pro Windows" has three boxes, each the folder up to its first NUL.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "facts/system_folders.h"
#include "platform/platform_fake.h"
#include "require.h"

namespace {

// What a box must show for the folder bytes: the call writes them and a NUL into a
// buffer of 256 spaces when they fit, and nothing when they do not.
std::string shownFor(const std::string& folder) {
    std::string buffer(256, ' ');
    if (folder.size() < buffer.size()) buffer.replace(0, folder.size() + 1, folder + '\0');
    return buffer.substr(0, buffer.find('\0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    std::string text = in.ConsumeRandomLengthString(1024);
    std::string cut = Module1::CutAtNull(text);
    require(text.starts_with(cut) && cut.find('\0') == std::string::npos);
    require(cut.size() == text.size() || text[cut.size()] == '\0');

    FakePlatform fake;
    fake.directories.windows = in.ConsumeRandomLengthString(300);
    fake.directories.temp = in.ConsumeRandomLengthString(300);
    fake.directories.system = in.ConsumeRemainingBytesAsString();
    require(Module1::WindowsDirBoxes(Module1::GetWindowsDirs(fake.directories)) ==
            std::vector<std::string>{shownFor(fake.directories.windows),
                                     shownFor(fake.directories.temp),
                                     shownFor(fake.directories.system)});
    require(fake.directories.asked == "WTS");
    return 0;
}
