#include "forms/frm_Procesor.h"
#include "support/fake_kavrona.h"

#include <gtest/gtest.h>

#include "app/kavrona.h"
#include "platform/platform_fake.h"

namespace {

FakeWmiInstance cpu(int n, WmiValue name) {
    std::string id = "CPU" + std::to_string(n);
    return {"\\\\PC\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"" + id + "\"",
            {{"Name", std::move(name)},
             {"Description", WmiValue::ofText("Family " + std::to_string(n))},
             {"ProcessorId", WmiValue::ofText("ID" + id)},
             {"Manufacturer", WmiValue::ofText("GenuineIntel")},
             {"CurrentClockSpeed", WmiValue::ofInteger(2800 + n)},
             {"MaxClockSpeed", WmiValue::ofInteger(3000)},
             {"PowerManagementSupported", WmiValue::ofBoolean(n % 2 == 0)}}};
}

FakeWmiInstance cpu(int n) {
    return cpu(n, WmiValue::ofText("Procesor " + std::to_string(n)));
}

std::string detailsOf(int n) {
    return "Procesor: Procesor " + std::to_string(n) + "\r\nPopis: Family " + std::to_string(n) +
           "\r\nID procesoru: IDCPU" + std::to_string(n) +
           "\r\nVýrobce: GenuineIntel\r\nRychlost: " + std::to_string(2800 + n) +
           "   MHz\r\nMaximální rychlost: 3000\r\nPodpora řízení spotřeby: " +
           (n % 2 == 0 ? "True" : "False");
}

const char* const kFailed = "Informace se nepodařilo zjistit. Nastala chyba: ";

struct WayOfClosing {
    const char* name;
    void (*close)(frm_Procesor&);
    bool writes;
};
const WayOfClosing kWaysOfClosing[] = {
    {"Zapsat a zavřít", [](frm_Procesor& p) { p.cmd_Write.click(); }, true},
    {"Zavřít", [](frm_Procesor& p) { p.cmd_Close.click(); }, false},
    {"close box", [](frm_Procesor& p) { p.unload(); }, false},
};

struct ProcesorWindow : FakeKavrona {
    frm_Procesor& w = k.procesor;

    void open(std::vector<FakeWmiInstance> processors) {
        fake.wmi.processors = std::move(processors);
        k.start();
        w.show();
    }
};

}  // namespace

TEST_F(ProcesorWindow, OneProcessorIsListedSelectedAndDetailed) {
    open({cpu(0)});
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_EQ("1 procesor detekován na tomto stroji.", w.lblTitle.caption());
    EXPECT_EQ(std::vector<std::string>{"Procesor 0"}, w.lstCPU.items());
    EXPECT_EQ(0, w.lstCPU.listIndex());
    EXPECT_EQ(detailsOf(0), w.txtCPU.text());
    EXPECT_EQ(std::vector<std::string>{fake.wmi.processors[0].path}, w.sCPUpath);
    EXPECT_EQ("Label1", w.lblCPUlist.caption());
    EXPECT_EQ(&w, k.app.active());
    EXPECT_TRUE(w.cmd_Write.hasFocus());
    EXPECT_EQ(1, fake.wmi.times("instancesOf Win32_Processor"));
}

TEST_F(ProcesorWindow, SeveralAreListedInEnumerationOrder) {
    open({cpu(2), cpu(0), cpu(1)});
    EXPECT_EQ("3 procesory detekovány na tomto stroji.", w.lblTitle.caption());
    EXPECT_EQ((std::vector<std::string>{"Procesor 2", "Procesor 0", "Procesor 1"}),
              w.lstCPU.items());
    ASSERT_EQ(3u, w.sCPUpath.size());
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(fake.wmi.processors[i].path, w.sCPUpath[i]);
    EXPECT_EQ(detailsOf(2), w.txtCPU.text());
}

TEST_F(ProcesorWindow, PickingTheSecondReplacesTheDetails) {
    open({cpu(0), cpu(1)});
    EXPECT_EQ("2 procesory detekovány na tomto stroji.", w.lblTitle.caption());
    w.lstCPU.setListIndex(1);
    EXPECT_EQ(detailsOf(1), w.txtCPU.text());
    EXPECT_EQ(1, fake.wmi.times("item " + fake.wmi.processors[1].path));
    w.lstCPU.setListIndex(0);
    EXPECT_EQ(detailsOf(0), w.txtCPU.text());
}

TEST_F(ProcesorWindow, NoProcessorsLeaveTheBoxAndWriteText1) {
    open({});
    EXPECT_EQ("0 procesory detekovány na tomto stroji.", w.lblTitle.caption());
    EXPECT_TRUE(w.lstCPU.items().empty());
    EXPECT_EQ(-1, w.lstCPU.listIndex());
    EXPECT_EQ("Text1", w.txtCPU.text());
    EXPECT_EQ(std::vector<std::string>{""}, w.sCPUpath);
    k.form1.tb_Info.setText("Report");
    w.cmd_Write.click();
    EXPECT_EQ("Report\r\nText1\r\n", k.form1.tb_Info.text());
}

TEST_F(ProcesorWindow, InstanceWithoutPathIsSkipped) {
    FakeWmiInstance pathless = cpu(9);
    pathless.path.clear();
    open({pathless, cpu(1)});
    EXPECT_EQ("2 procesory detekovány na tomto stroji.", w.lblTitle.caption());
    EXPECT_EQ(std::vector<std::string>{"Procesor 1"}, w.lstCPU.items());
    EXPECT_EQ(std::vector<std::string>{fake.wmi.processors[1].path}, w.sCPUpath);
    EXPECT_EQ(detailsOf(1), w.txtCPU.text());
}

TEST_F(ProcesorWindow, ConnectionFailureShowsTheBoxAndTheInitialTexts) {
    fake.wmi.failing["connect"] = "Access denied.";
    open({cpu(0)});
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ(std::string(kFailed) + "Access denied.", fake.dialogs.shown[0].text);
    EXPECT_EQ("WMI Demo", fake.dialogs.shown[0].title);
    EXPECT_EQ(kOkOnly, fake.dialogs.shown[0].style);
    EXPECT_EQ(std::vector<std::string>{"connect"}, fake.wmi.asked);
    EXPECT_TRUE(w.visible());
    EXPECT_EQ("Label1", w.lblTitle.caption());
    EXPECT_TRUE(w.lstCPU.items().empty());
    EXPECT_EQ("Text1", w.txtCPU.text());
    EXPECT_TRUE(w.cmd_Write.hasFocus());
}

TEST_F(ProcesorWindow, NullNameHalfwayKeepsWhatWasListed) {
    open({cpu(0), cpu(1, WmiValue{}), cpu(2)});
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ(std::string(kFailed) + "Invalid use of Null", fake.dialogs.shown[0].text);
    EXPECT_EQ("WMI Demo", fake.dialogs.shown[0].title);
    EXPECT_EQ("3 procesory detekovány na tomto stroji.", w.lblTitle.caption());
    EXPECT_EQ(std::vector<std::string>{"Procesor 0"}, w.lstCPU.items());
    EXPECT_EQ(-1, w.lstCPU.listIndex());
    EXPECT_EQ("Text1", w.txtCPU.text());
    EXPECT_EQ(std::vector<std::string>{fake.wmi.processors[0].path}, w.sCPUpath);
    EXPECT_EQ(2, fake.wmi.times("property Name"));
    EXPECT_TRUE(w.visible());
}

TEST_F(ProcesorWindow, EachFailingQueryStopsTheLoadWhereItFailed) {
    struct Case {
        const char* call;
        const char* title;
    };
    for (Case c : {Case{"instancesOf", "Label1"}, Case{"count", "Label1"},
                   Case{"forEach", "1 procesor detekován na tomto stroji."}}) {
        FakePlatform fake;
        Kavrona k{fake.platform(), view};
        fake.wmi.processors = {cpu(0)};
        fake.wmi.failing[c.call] = "0x80041010";
        k.start();
        k.procesor.show();
        ASSERT_EQ(1u, fake.dialogs.shown.size()) << c.call;
        EXPECT_EQ(std::string(kFailed) + "0x80041010", fake.dialogs.shown[0].text) << c.call;
        EXPECT_EQ(c.title, k.procesor.lblTitle.caption()) << c.call;
        EXPECT_TRUE(k.procesor.lstCPU.items().empty()) << c.call;
        EXPECT_EQ("Text1", k.procesor.txtCPU.text()) << c.call;
    }
}

TEST_F(ProcesorWindow, ProcessorThatCannotBeFoundEmptiesTheDetails) {
    fake.wmi.failing["item"] = "0x80041002";
    open({cpu(0)});
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_EQ("", w.txtCPU.text());
}

TEST_F(ProcesorWindow, WriteAppendsTheBoxAsTheUserLeftIt) {
    open({cpu(0), cpu(1)});
    k.form1.tb_Info.setText("Report\r\n");
    w.lstCPU.setListIndex(1);
    w.txtCPU.setText(w.txtCPU.text() + " (edited)");
    w.cmd_Write.click();
    EXPECT_EQ("Report\r\n\r\n" + detailsOf(1) + " (edited)\r\n", k.form1.tb_Info.text());
}

TEST_F(ProcesorWindow, EveryWayOfClosingHandsTheFocusToSave) {
    for (const WayOfClosing& way : kWaysOfClosing) {
        FakePlatform fake;
        Kavrona k{fake.platform(), view};
        fake.wmi.processors = {cpu(0)};
        k.start();
        k.form1.tb_Info.setText("Report");
        k.procesor.show();
        way.close(k.procesor);
        EXPECT_FALSE(k.procesor.loaded()) << way.name;
        EXPECT_TRUE(k.form1.cmd_Save.hasFocus()) << way.name;
        EXPECT_EQ(way.writes ? "Report\r\n" + detailsOf(0) + "\r\n" : "Report",
                  k.form1.tb_Info.text())
            << way.name;
        EXPECT_EQ("0", k.form1.tb_Forms_show.text()) << way.name;
        EXPECT_FALSE(k.app.ended()) << way.name;
    }
}

TEST_F(ProcesorWindow, AfterTheMainWindowClosedEveryWayEndsTheProgram) {
    for (const WayOfClosing& way : kWaysOfClosing) {
        FakePlatform fake;
        Kavrona k{fake.platform(), view};
        fake.wmi.processors = {cpu(0)};
        k.start();
        k.procesor.show();
        k.form1.cmd_End.click();
        EXPECT_FALSE(k.app.ended()) << way.name;
        EXPECT_EQ(&k.procesor, k.app.active()) << way.name;
        way.close(k.procesor);
        EXPECT_FALSE(k.procesor.loaded()) << way.name;
        EXPECT_FALSE(k.form1.loaded()) << way.name;
        EXPECT_TRUE(k.app.ended()) << way.name;
    }
}

TEST_F(ProcesorWindow, ShowingAgainWhileLoadedKeepsWhatItHeld) {
    open({cpu(0), cpu(1)});
    w.lstCPU.setListIndex(1);
    w.txtCPU.setText("edited");
    k.form1.cmd_Save.setFocus();
    fake.wmi.processors = {cpu(5)};
    w.show();
    EXPECT_EQ(1, fake.wmi.times("connect"));
    EXPECT_EQ(1, w.lstCPU.listIndex());
    EXPECT_EQ("edited", w.txtCPU.text());
    EXPECT_EQ("2 procesory detekovány na tomto stroji.", w.lblTitle.caption());
    EXPECT_TRUE(w.cmd_Write.hasFocus());
}

TEST_F(ProcesorWindow, ShowingAfterClosingQueriesAfresh) {
    open({cpu(0), cpu(1)});
    w.cmd_Close.click();
    fake.wmi.processors = {cpu(5)};
    w.show();
    EXPECT_EQ(2, fake.wmi.times("connect"));
    EXPECT_EQ("1 procesor detekován na tomto stroji.", w.lblTitle.caption());
    EXPECT_EQ(std::vector<std::string>{"Procesor 5"}, w.lstCPU.items());
    EXPECT_EQ(std::vector<std::string>{fake.wmi.processors[0].path}, w.sCPUpath);
    EXPECT_TRUE(w.cmd_Write.hasFocus());
}
