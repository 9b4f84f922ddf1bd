// Any 64-bit byte count, any decimal separator: the raw figure reads back as the
// count divided by 10 000, and the unit part is the count in the program's
// megabytes or gigabytes, rounded. Then a drive of that size in the report.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <regex>

#include "facts/drives.h"
#include "platform/platform_fake.h"
#include "require.h"

namespace {

bool digitsOnly(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The whole part, then the separator and one to four digits without trailing zeros:
// together, times 10 000, the count again.
void checkRawFigure(uint64_t count, const std::string& separator) {
    std::string figure = rawFigure(count, separator);
    size_t whole = figure.find_first_not_of("0123456789");
    std::string_view digits = std::string_view(figure).substr(0, whole);
    require(digitsOnly(digits) && (digits == "0" || digits[0] != '0'));
    unsigned __int128 back = 0;
    for (char c : digits) back = back * 10 + static_cast<unsigned>(c - '0');
    back *= 10000;
    if (whole != std::string::npos) {
        require(figure.compare(whole, separator.size(), separator) == 0);
        std::string_view fraction = std::string_view(figure).substr(whole + separator.size());
        require(digitsOnly(fraction) && fraction.size() <= 4 && fraction.back() != '0');
        unsigned scale = 1000;
        for (char c : fraction) {
            back += static_cast<unsigned>(c - '0') * scale;
            scale /= 10;
        }
    }
    require(back == count);
}

// " ( n MB )" up to 1 048 576 000 bytes, " ( n GB )" above: n units of 1 024 000 or
// 1 048 576 000 bytes, rounded to the nearest thousand bytes first.
void checkUnitPart(uint64_t count) {
    static const std::regex kShape(R"( \( (0|[1-9][0-9]*) (MB|GB) \))");
    std::string part = unitPart(count);
    std::smatch m;
    require(std::regex_match(part, m, kShape));
    bool giga = m[2] == "GB";
    require(giga == (count > 1048576000));
    unsigned __int128 unit = giga ? 1048576000 : 1024000;
    unsigned __int128 n = std::stoull(m[1]);
    // Rounding to thousands moves the count by at most 500 bytes either way.
    require(n * unit <= static_cast<unsigned __int128>(count) + 500);
    require((n + 1) * unit + 500 > count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    auto total = in.ConsumeIntegral<uint64_t>();
    auto free = in.ConsumeIntegral<uint64_t>();
    // Windows allows up to three characters; a digit would make the figure ambiguous.
    std::string separator = in.ConsumeRandomLengthString(3);
    std::erase_if(separator, [](char c) { return c >= '0' && c <= '9'; });
    if (separator.empty()) separator = ",";

    checkRawFigure(total, separator);
    checkRawFigure(free, separator);
    checkUnitPart(total);
    checkUnitPart(free);

    FakePlatform fake;
    fake.regional.separator = separator;
    FakeDrive& c =
        fake.volumes.add('C', in.ConsumeIntegral<uint32_t>(), in.ConsumeRandomLengthString(260));
    c.space = FakeSpace{free, total, free};
    const std::string report = drivesSection(gatherDrives(fake.volumes, fake.regional));
    const std::string& sep = separator;
    require(report.find("Celkové místo na svazku s FAT32: " + rawFigure(total, sep) +
                        unitPart(total) + "\r\n") != std::string::npos);
    require(report.ends_with("Volné místo na svazku s FAT32:     " + rawFigure(free, sep) +
                             unitPart(free) + "\r\n"));
    return 0;
}
