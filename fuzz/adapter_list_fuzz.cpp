// Any adapter list: any status, any number of adapters, any bytes as each first
// address (the 16-byte field, not always ended by a NUL). Step 2 of the report
// reports the first real address or none, and always goes on.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/kavrona.h"
#include "platform/platform_fake.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FakePlatform fake;
    AdapterList& list = fake.network.answer;
    list.status = static_cast<AdapterStatus>(in.ConsumeIntegralInRange(0, 2));
    std::vector<std::string> all;  // each adapter's first address
    while (in.remaining_bytes() > 0 && all.size() < 64) {
        // Mostly what the field holds, sometimes a few well-known addresses.
        switch (in.ConsumeIntegralInRange(0, 7)) {
            case 0:
                all.emplace_back("0.0.0.0");
                break;
            case 1:
                all.emplace_back();
                break;
            default:
                all.push_back(in.ConsumeRandomLengthString(16));
        }
        // Later addresses of an adapter never count.
        list.adapters.push_back({{all.back(), "10.9.9.9"}, {}, {}, {}});
    }
    HeadlessView view;
    Kavrona k{fake.platform(), view};
    k.start();
    Form1& form1 = k.form1;
    form1.tb_Forms_show.onChange = nullptr;
    form1.tb_Forms_show.setText("2");
    k.ip_adress.show();

    // One of the adapters' addresses, a real one, and none of those before it is real;
    // or none at all.
    const std::string& line = form1.tb_Info.text();
    const std::string head = "\r\nIP adresa: ", tail = "\r\n\r\n";
    require(line.starts_with(head) && line.ends_with(tail) &&
            line.size() >= head.size() + tail.size());
    const std::string shown = line.substr(head.size(), line.size() - head.size() - tail.size());
    require(shown != "0.0.0.0");
    auto at = std::find(all.begin(), all.end(), shown);
    require(shown.empty() || (list.status == AdapterStatus::Ok && at != all.end()));
    for (auto before = all.begin(); !shown.empty() && before != at; ++before)
        require(before->empty() || *before == "0.0.0.0");
    require(form1.tb_Forms_show.text() == "3" && !k.ip_adress.loaded());
    require(fake.network.calls == 1 && fake.dialogs.shown.empty());
    return 0;
}
