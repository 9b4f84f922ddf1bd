#include "platform/com_win32.h"

#include "platform/late_bound_win32.h"

namespace {

OleCalls find() {
    constexpr const wchar_t* kOle = L"ole32.dll";
    constexpr const wchar_t* kAutomation = L"oleaut32.dll";
    return {
        lateBound<decltype(CoInitializeEx)>(kOle, "CoInitializeEx"),
        lateBound<decltype(CoUninitialize)>(kOle, "CoUninitialize"),
        lateBound<decltype(CoCreateInstance)>(kOle, "CoCreateInstance"),
        lateBound<decltype(CoSetProxyBlanket)>(kOle, "CoSetProxyBlanket"),
        lateBound<decltype(SysAllocStringLen)>(kAutomation, "SysAllocStringLen"),
        lateBound<decltype(SysFreeString)>(kAutomation, "SysFreeString"),
        lateBound<decltype(SysStringLen)>(kAutomation, "SysStringLen"),
        lateBound<decltype(VariantClear)>(kAutomation, "VariantClear"),
        lateBound<decltype(VariantChangeType)>(kAutomation, "VariantChangeType"),
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
