// Any bytes as the three system folders, and any text cut at its first NUL:
// "DIR pro Windows" has three boxes, each the folder up to its first NUL.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "facts/system_folders.h"
#include "platform/platform_fake.h"
#include "require.h"

namespace {

// A box holds no NUL and no more than the buffer: the folder up to its first NUL, or,
// when the folder does not fit, the buffer's spaces. A folder without a NUL that fits
// comes back as it is.
void checkBox(const std::string& box, const std::string& folder) {
    require(box.find('\0') == std::string::npos && box.size() <= 256);
    bool fits = folder.size() < 256;
    require(fits ? folder.starts_with(box) : box == std::string(256, ' '));
    if (fits) require(box.size() == folder.size() || folder[box.size()] == '\0');
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
    std::vector<std::string> boxes =
        Module1::WindowsDirBoxes(Module1::GetWindowsDirs(fake.directories));
    require(boxes.size() == 3);
    checkBox(boxes[0], fake.directories.windows);
    checkBox(boxes[1], fake.directories.temp);
    checkBox(boxes[2], fake.directories.system);
    require(fake.directories.asked == "WTS");
    return 0;
}
