#include "platform/wmi_fake.h"

#include <algorithm>
#include <cctype>

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

struct FakeWmiObject : WmiObject {
    FakeWmiObject(FakeWmi& wmi, FakeWmiInstance instance)
        : wmi(wmi), instance(std::move(instance)) {}
    FakeWmi& wmi;
    FakeWmiInstance instance;

    WmiResult<std::string> path() override {
        wmi.ask("path", "path");
        return instance.path;
    }
    WmiResult<WmiValue> property(const std::string& name) override {
        wmi.ask("property", "property " + name);
        auto it = instance.properties.find(name);
        if (it == instance.properties.end()) return WmiResult<WmiValue>::failed(kWmiNotFound);
        return it->second;
    }
};

struct FakeWmiObjectSet : WmiObjectSet {
    FakeWmiObjectSet(FakeWmi& wmi, std::vector<FakeWmiInstance> instances)
        : wmi(wmi), instances(std::move(instances)) {}
    FakeWmi& wmi;
    std::vector<FakeWmiInstance> instances;

    WmiResult<int32_t> count() override {
        if (auto failure = wmi.ask("count", "count")) return WmiResult<int32_t>::failed(*failure);
        return static_cast<int32_t>(instances.size());
    }
    WmiResult<WmiDone> forEach(const std::function<bool(WmiObject&)>& each) override {
        if (auto failure = wmi.ask("forEach", "forEach"))
            return WmiResult<WmiDone>::failed(*failure);
        for (const FakeWmiInstance& instance : instances) {
            FakeWmiObject object{wmi, instance};
            if (!each(object)) return WmiDone{};
        }
        if (auto late = wmi.failing.find("forEach end"); late != wmi.failing.end())
            return WmiResult<WmiDone>::failed(late->second);
        return WmiDone{};
    }
    WmiResult<std::unique_ptr<WmiObject>> item(const std::string& path) override {
        using Result = WmiResult<std::unique_ptr<WmiObject>>;
        if (auto failure = wmi.ask("item", "item " + path)) return Result::failed(*failure);
        auto it = std::find_if(instances.begin(), instances.end(),
                               [&](const FakeWmiInstance& i) { return i.path == path; });
        if (path.empty() || it == instances.end()) return Result::failed(kWmiNotFound);
        return std::make_unique<FakeWmiObject>(wmi, *it);
    }
};

struct FakeWmiServices : WmiServices {
    explicit FakeWmiServices(FakeWmi& wmi) : wmi(wmi) {}
    FakeWmi& wmi;

    WmiResult<std::unique_ptr<WmiObjectSet>> instancesOf(const std::string& className) override {
        using Result = WmiResult<std::unique_ptr<WmiObjectSet>>;
        if (auto failure = wmi.ask("instancesOf", "instancesOf " + className))
            return Result::failed(*failure);
        if (auto one = wmi.failing.find("instancesOf " + className); one != wmi.failing.end())
            return Result::failed(one->second);
        std::vector<FakeWmiInstance> instances = wmi.classes[className];
        if (className == "Win32_Processor") instances = wmi.processors;
        return std::make_unique<FakeWmiObjectSet>(wmi, std::move(instances));
    }
};

}  // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

WmiResult<std::unique_ptr<WmiServices>> FakeWmi::connect() {
    if (auto failure = ask("connect", "connect"))
        return WmiResult<std::unique_ptr<WmiServices>>::failed(*failure);
    return std::make_unique<FakeWmiServices>(*this);
}

std::optional<std::string> FakeWmi::ask(const std::string& call, const std::string& what) {
    asked.push_back(what);
    auto it = failing.find(call);
    if (it == failing.end()) return std::nullopt;
    return it->second;
}

int FakeWmi::times(const std::string& what) const {
    return static_cast<int>(std::count(asked.begin(), asked.end(), what));
}
