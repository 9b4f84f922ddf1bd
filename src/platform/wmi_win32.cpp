#include <windows.h>

#include <wbemcli.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "platform/call_thread.h"
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

// One connection: its own thread, in COM's multithreaded apartment, where every call of
// the connection runs and every COM object it handed out is released. All its calls
// together wait at most `patience`; after one that did not come back, the rest fail
// at once, since the thread is still inside it.
class Session {
  public:
    explicit Session(std::chrono::milliseconds patience) : left_(patience), patience_(patience) {
        hand([started = started_] {
            *started = ole()->coInitializeEx(nullptr, COINIT_MULTITHREADED);
        });
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() {
        hand([started = started_] {
            if (SUCCEEDED(*started)) ole()->coUninitialize();
        });
    }

    // `call` on the connection's thread, with the moment by which it must be done.
    template <class T>
    WmiResult<T> ask(std::function<WmiResult<T>(SteadyClock::time_point)> call) {
        if (stuck_) return WmiResult<T>::failed(notAnswered());
        const SteadyClock::time_point start = SteadyClock::now();
        const SteadyClock::time_point deadline = start + left_;
        std::optional<WmiResult<T>> answer = thread_.ask<WmiResult<T>>(
            [call = std::move(call), deadline] { return call(deadline); }, deadline);
        left_ -= std::min(left_, std::chrono::duration_cast<std::chrono::milliseconds>(
                                     SteadyClock::now() - start));
        if (!answer) {
            stuck_ = true;
            return WmiResult<T>::failed(notAnswered());
        }
        return std::move(*answer);
    }

    // Runs on the connection's thread without waiting for it: releasing what it handed out.
    void hand(std::function<void()> call) { thread_.hand(std::move(call)); }

  private:
    std::string notAnswered() const {
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(patience_).count();
        return "WMI neodpověděla do " + std::to_string(seconds) + " s.";
    }

    CallThread thread_;
    std::shared_ptr<HRESULT> started_ = std::make_shared<HRESULT>(E_FAIL);
    std::chrono::milliseconds left_;
    std::chrono::milliseconds patience_;
    bool stuck_ = false;
};

// Released on the connection's thread, where it was made. The calls handed to that thread
// take plain pointers: they run before any release handed after them.
template <class T>
void releaseThere(Session& session, ComRef<T>& ref) {
    if (ref.get()) session.hand([ref = std::move(ref)] {});
}

// What the time left allows an enumerator's Next to wait, in its milliseconds.
long msUntil(SteadyClock::time_point deadline) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return static_cast<long>(std::max<int64_t>(0, left.count()));
}

struct Win32WmiObject : WmiObject {
    // An instance of a set, which keeps it, or one of its own.
    Win32WmiObject(std::shared_ptr<Session> session, IWbemClassObject* object,
                   ComRef<IWbemClassObject> owned = {})
        : session(std::move(session)), object(object), owned(std::move(owned)) {}
    Win32WmiObject(const Win32WmiObject&) = delete;
    Win32WmiObject& operator=(const Win32WmiObject&) = delete;
    ~Win32WmiObject() override { releaseThere(*session, owned); }
    std::shared_ptr<Session> session;
    IWbemClassObject* object;
    ComRef<IWbemClassObject> owned;

    WmiResult<std::string> path() override {
        WmiResult<WmiValue> value = property("__PATH");
        if (!value.ok()) return WmiResult<std::string>::failed(value.failure());
        return value.value().text;
    }
    WmiResult<WmiValue> property(const std::string& name) override {
        return session->ask<WmiValue>([object = object, name = widen(name)](auto) {
            Variant value;
            CIMTYPE type = CIM_EMPTY;
            HRESULT hr = object->Get(name.c_str(), 0, &value.v, &type, nullptr);
            if (FAILED(hr)) return failed<WmiValue>(hr);
            return valueOf(value.v, type);
        });
    }
};

using Instances = std::vector<ComRef<IWbemClassObject>>;

// Every instance the enumerator gives, which only goes forward once, by the deadline.
WmiResult<Instances> fetchAll(IEnumWbemClassObject* enumerator, SteadyClock::time_point deadline) {
    Instances instances;
    for (;;) {
        ComRef<IWbemClassObject> instance;
        ULONG returned = 0;
        HRESULT hr = enumerator->Next(msUntil(deadline), 1, instance.put(), &returned);
        if (FAILED(hr)) return failed<Instances>(hr);
        if (returned == 0) {
            if (hr == WBEM_S_TIMEDOUT) return failed<Instances>(WBEM_E_TIMED_OUT);
            return instances;
        }
        instances.push_back(std::move(instance));
    }
}

struct Win32WmiObjectSet : WmiObjectSet {
    Win32WmiObjectSet(std::shared_ptr<Session> session, ComRef<IWbemServices> services,
                      ComRef<IEnumWbemClassObject> enumerator)
        : session(std::move(session)),
          services(std::move(services)),
          enumerator(std::move(enumerator)) {}
    Win32WmiObjectSet(const Win32WmiObjectSet&) = delete;
    Win32WmiObjectSet& operator=(const Win32WmiObjectSet&) = delete;
    ~Win32WmiObjectSet() override {
        releaseThere(*session, services);
        releaseThere(*session, enumerator);
        if (!instances.empty()) session->hand([gone = std::move(instances)] {});
    }
    std::shared_ptr<Session> session;
    ComRef<IWbemServices> services;
    ComRef<IEnumWbemClassObject> enumerator;
    Instances instances;
    std::optional<std::string> failure;
    bool fetched = false;

    // The set keeps what the enumerator gave.
    std::optional<std::string> fetch() {
        if (!fetched) {
            WmiResult<Instances> all = session->ask<Instances>(
                [enumerator = enumerator.get()](SteadyClock::time_point deadline) {
                    return fetchAll(enumerator, deadline);
                });
            if (all.ok()) {
                instances = std::move(all.value());
            } else {
                failure = all.failure();
            }
            fetched = true;
        }
        return failure;
    }

    WmiResult<int32_t> count() override {
        if (auto failed = fetch()) return WmiResult<int32_t>::failed(*failed);
        return static_cast<int32_t>(instances.size());
    }
    WmiResult<WmiDone> forEach(const std::function<bool(WmiObject&)>& each) override {
        if (auto failed = fetch()) return WmiResult<WmiDone>::failed(*failed);
        for (const ComRef<IWbemClassObject>& instance : instances) {
            Win32WmiObject object{session, instance.get()};
            if (!each(object)) break;
        }
        return WmiDone{};
    }
    WmiResult<std::unique_ptr<WmiObject>> item(const std::string& path) override {
        using Found = ComRef<IWbemClassObject>;
        // An empty path would give a new empty class, not an instance.
        if (path.empty()) return failed<std::unique_ptr<WmiObject>>(WBEM_E_INVALID_OBJECT_PATH);
        WmiResult<Found> found =
            session->ask<Found>([services = services.get(), path = widen(path)](auto) {
                Found instance;
                HRESULT hr = services->GetObject(Bstr(path), 0, nullptr, instance.put(), nullptr);
                if (FAILED(hr)) return failed<Found>(hr);
                return WmiResult<Found>(std::move(instance));
            });
        if (!found.ok()) return WmiResult<std::unique_ptr<WmiObject>>::failed(found.failure());
        IWbemClassObject* instance = found.value().get();
        return std::make_unique<Win32WmiObject>(session, instance, std::move(found.value()));
    }
};

struct Win32WmiServices : WmiServices {
    Win32WmiServices(std::shared_ptr<Session> session, ComRef<IWbemServices> services)
        : session(std::move(session)), services(std::move(services)) {}
    Win32WmiServices(const Win32WmiServices&) = delete;
    Win32WmiServices& operator=(const Win32WmiServices&) = delete;
    ~Win32WmiServices() override { releaseThere(*session, services); }
    std::shared_ptr<Session> session;
    ComRef<IWbemServices> services;

    WmiResult<std::unique_ptr<WmiObjectSet>> instancesOf(const std::string& className) override {
        using Enumerator = ComRef<IEnumWbemClassObject>;
        WmiResult<Enumerator> listed =
            session->ask<Enumerator>([services = services.get(), name = widen(className)](auto) {
                Enumerator enumerator;
                HRESULT hr = services->CreateInstanceEnum(Bstr(name), WBEM_FLAG_RETURN_IMMEDIATELY,
                                                          nullptr, enumerator.put());
                if (FAILED(hr)) return failed<Enumerator>(hr);
                return WmiResult<Enumerator>(std::move(enumerator));
            });
        if (!listed.ok()) return WmiResult<std::unique_ptr<WmiObjectSet>>::failed(listed.failure());
        return std::make_unique<Win32WmiObjectSet>(session, services, std::move(listed.value()));
    }
};

// The default namespace, connected; on the connection's thread.
WmiResult<ComRef<IWbemServices>> connectThere() {
    using Services = ComRef<IWbemServices>;
    ComRef<IWbemLocator> locator;
    HRESULT hr = ole()->coCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IWbemLocator, locator.putVoid());
    if (FAILED(hr)) return failed<Services>(hr);
    Services services;
    // The flag bounds the connection's own wait; the session's deadline bounds ours.
    hr = locator->ConnectServer(Bstr(L"ROOT\\CIMV2"), nullptr, nullptr, nullptr,
                                WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr, nullptr, services.put());
    if (FAILED(hr)) return failed<Services>(hr);
    // Providers act as the calling user, as they do behind the "winmgmts:" moniker.
    hr = ole()->coSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                  RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                                  EOAC_NONE);
    if (FAILED(hr)) return failed<Services>(hr);
    return WmiResult<Services>(std::move(services));
}

}  // namespace

WmiResult<std::unique_ptr<WmiServices>> Win32Wmi::connect() {
    using Services = std::unique_ptr<WmiServices>;
    if (!ole()) return failed<Services>(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    auto session = std::make_shared<Session>(patience);
    WmiResult<ComRef<IWbemServices>> connected =
        session->ask<ComRef<IWbemServices>>([](auto) { return connectThere(); });
    if (!connected.ok()) return WmiResult<Services>::failed(connected.failure());
    return std::make_unique<Win32WmiServices>(session, std::move(connected.value()));
}
