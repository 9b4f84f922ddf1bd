#include "in_process.h"

#include <functional>
#include <iterator>
#include <string_view>

#include "support/real_program_win32.h"
#include "support/step_alone.h"

namespace {

struct Section {
    const char* name;
    const char* step;
    std::function<void(Kavrona&)> run;
};

const Section kSections[] = {
    {"LogOn_a_Win", "1", [](Kavrona& k) { k.form1.LogOn_a_Win(); }},
    {"frm_IP_adress load", "2", [](Kavrona& k) { k.ip_adress.show(); }},
    {"frm_BIOS load", "3", [](Kavrona& k) { k.bios.show(); }},
    {"Pamet_size", "4", [](Kavrona& k) { k.form1.Pamet_size(); }},
    {"Info_o_HDD", "5", [](Kavrona& k) { k.form1.Info_o_HDD(); }},
};

// As the drives section probes them.
constexpr std::string_view kProbedLetters = "ABCDEFGHIJKLMNOPQRSTUVWZ";
constexpr size_t kLabelBuffer = 261;

void driveCalls(Volumes& volumes) {
    for (char letter : kProbedLetters) {
        const std::string root{letter, ':', '\\'};
        std::string label(kLabelBuffer, ' ');
        uint32_t serial = 0;
        if (!volumes.getVolumeInformation(root, label, serial)) continue;
        uint64_t available = 0, total = 0, free = 0;
        volumes.getDiskFreeSpaceEx(root, available, total, free);
        volumes.getDriveType(root);
    }
}

void prepareStep(Kavrona& k, const char* step) {
    if (k.procesor.loaded()) k.procesor.unload();
    k.form1.tb_Bios_info.setText("Ne");
    k.form1.tb_Info.setText("");
    atStepAlone(k.form1, step);
}

// What a finished report lacks, or nothing when it is whole.
std::string reportFault(RealProgram& p) {
    const std::string report = p.k.form1.tb_Info.text();
    for (const char* part :
         {"Verze Windows: ", "IP adresa: ", "BIOS: ", "Celková paměť: ", "Statistika pro Disk: "})
        if (report.find(part) == std::string::npos) return std::string("no \"") + part + "\"";
    if (!p.k.procesor.visible()) return "no processor window";
    if (p.k.procesor.txtCPU.text().empty()) return "no processor details";
    if (!p.dialogs.shown.empty()) return "a message box: " + p.dialogs.shown.front().text;
    return {};
}

void pressComplete(RealProgram& p) {
    if (p.k.procesor.loaded()) p.k.procesor.unload();
    p.k.form1.cmd_Print_on_listbox.click();
}

}  // namespace

SectionTimings timeSections(int rounds) {
    RealProgram p;
    Win32Platform real;
    SectionTimings out;
    out.procesor.name = "frm_Procesor load";
    out.adapterCalls.name = "  its GetAdaptersInfo";
    out.driveCalls.name = "  its drive calls";
    for (const Section& s : kSections) out.sections.push_back({s.name, {}});

    prepareStep(p.k, "6");
    p.k.procesor.show();  // this process's first connection, timed with the complete report
    std::vector<bool> advanced(std::size(kSections), true);
    for (int round = 0; round < rounds; ++round) {
        for (size_t i = 0; i < std::size(kSections); ++i) {
            const Section& s = kSections[i];
            prepareStep(p.k, s.step);
            addTiming(out.sections[i], [&] { s.run(p.k); });
            const std::string next(1, static_cast<char>(s.step[0] + 1));
            if (p.k.form1.tb_Forms_show.text() != next || p.k.form1.tb_Info.text().empty())
                advanced[i] = false;
        }
        prepareStep(p.k, "6");
        addTiming(out.procesor, [&] { p.k.procesor.show(); });
        addTiming(out.adapterCalls, [&] { real.network.adapters(); });
        addTiming(out.driveCalls, [&] { driveCalls(real.volumes); });
    }

    for (size_t i = 0; i < std::size(kSections); ++i)
        if (!advanced[i])
            out.faults.emplace_back(std::string(kSections[i].name) +
                                    ": the section did not come out whole");
    if (p.k.procesor.txtCPU.text().empty())
        out.faults.emplace_back("frm_Procesor load: no processor details");
    if (!p.dialogs.shown.empty())
        out.faults.emplace_back("sections: a message box: " + p.dialogs.shown.front().text);
    return out;
}

Samples timeCompleteWarm(int count, std::vector<std::string>& faults) {
    RealProgram p;
    pressComplete(p);
    Samples s = timed(
        "complete report, warm", count, [&] { p.k.procesor.unload(); },
        [&] { p.k.form1.cmd_Print_on_listbox.click(); });
    if (std::string fault = reportFault(p); !fault.empty())
        faults.emplace_back("complete report: " + fault);
    return s;
}

double timeCompleteOnce(std::string& fault) {
    RealProgram p;
    BenchClock::time_point start = BenchClock::now();
    pressComplete(p);
    double ms = msSince(start);
    fault = reportFault(p);
    return fault.empty() ? ms : -1;
}

double timeWmiFirst(std::string& fault) {
    BenchClock::time_point start = BenchClock::now();
    Win32Wmi wmi;  // COM starts on the connection's thread
    WmiResult<std::unique_ptr<WmiServices>> services = wmi.connect();
    if (!services.ok()) {
        fault = "WMI: " + services.failure();
        return -1;
    }
    WmiResult<std::unique_ptr<WmiObjectSet>> processors =
        services.value()->instancesOf("Win32_Processor");
    WmiResult<int32_t> count =
        processors.ok() ? processors.value()->count() : WmiResult<int32_t>::failed("no set");
    double ms = msSince(start);
    if (!count.ok() || count.value() < 1) {
        fault = "WMI: no Win32_Processor";
        return -1;
    }
    return ms;
}
