#include "forms/frm_IP_adress.h"
#include "support/fake_kavrona.h"

#include <gtest/gtest.h>

#include "support/step_alone.h"

#include "app/kavrona.h"
#include "platform/platform_fake.h"

struct AddressWindow : FakeKavrona {
    void SetUp() override {
        k.start();
        k.form1.tb_Info.setText("Verze Windows: x\r\n\r\n");
        atStepAlone(k.form1, "2");
    }
    std::string reportedLine() {
        k.ip_adress.show();
        std::string text = k.form1.tb_Info.text();
        return text.substr(std::string("Verze Windows: x\r\n\r\n").size());
    }
};

TEST_F(AddressWindow, FirstAdapterWithARealAddress) {
    const struct {
        AdapterList list;
        const char* line;
    } cases[] = {
        {adaptersWith(AdapterStatus::Ok, {"192.168.1.10"}), "\r\nIP adresa: 192.168.1.10\r\n\r\n"},
        {adaptersWith(AdapterStatus::Ok, {"10.0.0.5", "10.0.0.6"}),
         "\r\nIP adresa: 10.0.0.5\r\n\r\n"},
        {adaptersWith(AdapterStatus::Ok, {"", "0.0.0.0", "0.0.0.0", "172.17.0.2"}),
         "\r\nIP adresa: 172.17.0.2\r\n\r\n"},
        {adaptersWith(AdapterStatus::Ok, {"0.0.0.0", ""}), "\r\nIP adresa: \r\n\r\n"},
        // Only each adapter's first address counts, as the report always took it.
        {{AdapterStatus::Ok,
          {{{"0.0.0.0", "10.1.1.1"}, "a", "", ""}, {{"10.2.2.2"}, "b", "", ""}},
          {}},
         "\r\nIP adresa: 10.2.2.2\r\n\r\n"},
        {adaptersWith(AdapterStatus::NoAdapters, {}), "\r\nIP adresa: \r\n\r\n"},
        {adaptersWith(AdapterStatus::Failed, {"10.0.0.5"}), "\r\nIP adresa: \r\n\r\n"},
    };
    for (const auto& c : cases) {
        k.form1.tb_Info.setText("Verze Windows: x\r\n\r\n");
        atStepAlone(k.form1, "2");
        fake.network.answer = c.list;
        EXPECT_EQ(c.line, reportedLine());
        EXPECT_EQ("3", k.form1.tb_Forms_show.text());
    }
}

TEST_F(AddressWindow, LaterStepsRunWhileItIsLoadedAndItClosesAfterwards) {
    fake.network.answer = adaptersWith(AdapterStatus::Ok, {"192.168.1.10"});
    std::string boxDuringStep3;
    bool loadedDuringStep3 = false;
    k.form1.tb_Forms_show.onChange = [&] {
        boxDuringStep3 = k.ip_adress.tb_IP_adr.text();
        loadedDuringStep3 = k.ip_adress.loaded();
    };
    k.ip_adress.show();
    EXPECT_TRUE(loadedDuringStep3);
    EXPECT_EQ("192.168.1.10", boxDuringStep3);
    EXPECT_FALSE(k.ip_adress.loaded());
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_EQ(1, fake.network.calls);
}
