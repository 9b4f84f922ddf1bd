#include "platform/com_win32.h"

#include "platform/late_bound_win32.h"

namespace {

template <typename Function>
Function* oleCall(const wchar_t* dll, const char* name) {
    return lateBound<Function>(dll, name);
}

OleCalls find() {
    constexpr const wchar_t* kOle = L"ole32.dll";
    constexpr const wchar_t* kAutomation = L"oleaut32.dll";
    return {
        oleCall<decltype(CoInitializeEx)>(kOle, "CoInitializeEx"),
        oleCall<decltype(CoUninitialize)>(kOle, "CoUninitialize"),
        oleCall<decltype(CoCreateInstance)>(kOle, "CoCreateInstance"),
        oleCall<decltype(CoSetProxyBlanket)>(kOle, "CoSetProxyBlanket"),
        oleCall<decltype(SysAllocStringLen)>(kAutomation, "SysAllocStringLen"),
        oleCall<decltype(SysFreeString)>(kAutomation, "SysFreeString"),
        oleCall<decltype(SysStringLen)>(kAutomation, "SysStringLen"),
        oleCall<decltype(VariantClear)>(kAutomation, "VariantClear"),
        oleCall<decltype(VariantChangeType)>(kAutomation, "VariantChangeType"),
    };
}

bool complete(const OleCalls& c) {
    return c.coInitializeEx && c.coUninitialize && c.coCreateInstance && c.coSetProxyBlanket &&
           c.sysAllocStringLen && c.sysFreeString && c.sysStringLen && c.variantClear &&
           c.variantChangeType;
}

}  // namespace

const OleCalls* ole() {
    static const OleCalls calls = find();
    static const bool found = complete(calls);
    return found ? &calls : nullptr;
}
