#include <windows.h>

#include <wbemcli.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/com_win32.h"
#include "platform/utf16_win32.h"
#include "platform/wmi.h"

namespace {

std::string trimmed(std::string text) {
    size_t end = text.find_last_not_of(" \t\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

// Wine hands `__PATH` in a BSTR longer than its text, padded with zeros.
std::string text(BSTR b) {
    std::wstring_view t(b ? b : L"", b ? ole()->sysStringLen(b) : 0);
    return narrow(t.substr(0, t.find(L'\0')));
}

std::string systemText(HRESULT hr) {
    wchar_t buffer[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(hr), 0, buffer, ARRAYSIZE(buffer), nullptr);
    return trimmed(narrow(std::wstring_view(buffer, n)));
}

// The system has no text for most WMI codes; WMI's own table has.
std::string wmiStatusText(HRESULT hr) {
    ComRef<IWbemStatusCodeText> codes;
    if (!ole()) return {};
    if (FAILED(ole()->coCreateInstance(CLSID_WbemStatusCodeText, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWbemStatusCodeText, codes.putVoid())))
        return {};
    Bstr status;
    if (FAILED(codes->GetErrorCodeText(hr, 0, 0, status.put()))) return {};
    return trimmed(text(status));
}

std::string describe(HRESULT hr) {
    std::string description = systemText(hr);
    if (description.empty()) description = wmiStatusText(hr);
    if (!description.empty()) return description;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    return code;
}

template <class T>
WmiResult<T> failed(HRESULT hr) {
    return WmiResult<T>::failed(describe(hr));
}

WmiResult<WmiValue> valueOf(VARIANT& v, CIMTYPE type) {
    switch (v.vt) {
        case VT_EMPTY:
        case VT_NULL:
            return WmiValue{};
        case VT_BSTR:
            return WmiValue::ofText(text(v.bstrVal));
        case VT_BOOL:
            return WmiValue::ofBoolean(v.boolVal != VARIANT_FALSE);
        case VT_I4:  // uint32 travels in a signed VARIANT
            return WmiValue::ofInteger(type == CIM_UINT32 ? int64_t{static_cast<uint32_t>(v.lVal)}
                                                          : int64_t{v.lVal});
        case VT_I2:
            return WmiValue::ofInteger(v.iVal);
        case VT_UI1:
            return WmiValue::ofInteger(v.bVal);
        default: {
            HRESULT hr = ole()->variantChangeType(&v, &v, 0, VT_BSTR);
            if (FAILED(hr)) return failed<WmiValue>(hr);
            return WmiValue::ofText(text(v.bstrVal));
        }
    }
}

struct Win32WmiObject : WmiObject {
    explicit Win32WmiObject(ComRef<IWbemClassObject> object) : object(std::move(object)) {}
    ComRef<IWbemClassObject> object;

    WmiResult<std::string> path() override {
        WmiResult<WmiValue> value = property("__PATH");
        if (!value.ok()) return WmiResult<std::string>::failed(value.failure());
        return value.value().text;
    }
    WmiResult<WmiValue> property(const std::string& name) override {
        Variant value;
        CIMTYPE type = CIM_EMPTY;
        HRESULT hr = object->Get(widen(name).c_str(), 0, &value.v, &type, nullptr);
        if (FAILED(hr)) return failed<WmiValue>(hr);
        return valueOf(value.v, type);
    }
};

struct Win32WmiObjectSet : WmiObjectSet {
    Win32WmiObjectSet(ComRef<IWbemServices> services, ComRef<IEnumWbemClassObject> enumerator)
        : services(std::move(services)), enumerator(std::move(enumerator)) {}
    ComRef<IWbemServices> services;
    ComRef<IEnumWbemClassObject> enumerator;
    std::vector<ComRef<IWbemClassObject>> instances;
    std::optional<HRESULT> fetched;

    // The enumerator only goes forward once; the set keeps what it gave.
    HRESULT fetch() {
        while (!fetched) {
            ComRef<IWbemClassObject> instance;
            ULONG returned = 0;
            HRESULT hr = enumerator->Next(WBEM_INFINITE, 1, instance.put(), &returned);
            if (FAILED(hr)) {
                fetched = hr;
            } else if (returned == 0) {
                fetched = S_OK;
            } else {
                instances.push_back(std::move(instance));
            }
        }
        return *fetched;
    }

    WmiResult<int32_t> count() override {
        if (HRESULT hr = fetch(); FAILED(hr)) return failed<int32_t>(hr);
        return static_cast<int32_t>(instances.size());
    }
    WmiResult<WmiDone> forEach(const std::function<bool(WmiObject&)>& each) override {
        if (HRESULT hr = fetch(); FAILED(hr)) return failed<WmiDone>(hr);
        for (const ComRef<IWbemClassObject>& instance : instances) {
            Win32WmiObject object{instance};
            if (!each(object)) break;
        }
        return WmiDone{};
    }
    WmiResult<std::unique_ptr<WmiObject>> item(const std::string& path) override {
        // An empty path would give a new empty class, not an instance.
        if (path.empty()) return failed<std::unique_ptr<WmiObject>>(WBEM_E_INVALID_OBJECT_PATH);
        ComRef<IWbemClassObject> instance;
        HRESULT hr = services->GetObject(Bstr(widen(path)), 0, nullptr, instance.put(), nullptr);
        if (FAILED(hr)) return failed<std::unique_ptr<WmiObject>>(hr);
        return std::make_unique<Win32WmiObject>(std::move(instance));
    }
};

struct Win32WmiServices : WmiServices {
    explicit Win32WmiServices(ComRef<IWbemServices> services) : services(std::move(services)) {}
    ComRef<IWbemServices> services;

    WmiResult<std::unique_ptr<WmiObjectSet>> instancesOf(const std::string& className) override {
        ComRef<IEnumWbemClassObject> enumerator;
        HRESULT hr = services->CreateInstanceEnum(
            Bstr(widen(className)), WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, enumerator.put());
        if (FAILED(hr)) return failed<std::unique_ptr<WmiObjectSet>>(hr);
        return std::make_unique<Win32WmiObjectSet>(services, std::move(enumerator));
    }
};

}  // namespace

WmiResult<std::unique_ptr<WmiServices>> Win32Wmi::connect() {
    using Services = std::unique_ptr<WmiServices>;
    if (!ole()) return failed<Services>(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    ComRef<IWbemLocator> locator;
    HRESULT hr = ole()->coCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWbemLocator, locator.putVoid());
    if (FAILED(hr)) return failed<Services>(hr);
    ComRef<IWbemServices> services;
    hr = locator->ConnectServer(Bstr(L"ROOT\\CIMV2"), nullptr, nullptr, nullptr, 0, nullptr,
                                nullptr, services.put());
    if (FAILED(hr)) return failed<Services>(hr);
    // Providers act as the calling user, as they do behind the "winmgmts:" moniker.
    hr = ole()->coSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                  RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                  EOAC_NONE);
    if (FAILED(hr)) return failed<Services>(hr);
    return std::make_unique<Win32WmiServices>(std::move(services));
}
