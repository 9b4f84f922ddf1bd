#pragma once
// COM on the thread, and owners for COM pointers, BSTRs and VARIANTs: released on
// every path out.

#include <windows.h>

#include <oleauto.h>

#include <string_view>
#include <utility>

// The calls of ole32 and oleaut32 the program makes, found at the first use of COM.
struct OleCalls {
    decltype(CoInitializeEx)* coInitializeEx;
    decltype(CoUninitialize)* coUninitialize;
    decltype(CoCreateInstance)* coCreateInstance;
    decltype(CoSetProxyBlanket)* coSetProxyBlanket;
    decltype(SysAllocStringLen)* sysAllocStringLen;
    decltype(SysFreeString)* sysFreeString;
    decltype(SysStringLen)* sysStringLen;
    decltype(VariantClear)* variantClear;
    decltype(VariantChangeType)* variantChangeType;
};

// Null when either DLL or one of the calls is missing: then COM does not start, and
// nothing that needs it is reached.
const OleCalls* ole();

// COM on this thread, apartment-threaded, for as long as it lives: WMI and the shell
// need it on the user-interface thread. Without OLE 1 DDE, as the shell asks.
struct ComApartment {
    HRESULT started =
        ole() ? ole()->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
              : HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(started)) ole()->coUninitialize();
    }
};

template <class T>
class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComRef(ComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComRef& operator=(ComRef other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    ~ComRef() {
        if (p_) p_->Release();
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    // For the out parameter of a call that hands over a reference.
    T** put() {
        *this = ComRef();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

  private:
    T* p_ = nullptr;
};

class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text) {
        if (ole()) b_ = ole()->sysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { release(); }

    operator BSTR() const { return b_; }
    BSTR* put() {
        release();
        return &b_;
    }

  private:
    // Only COM hands out a string, so ole() is there when there is one.
    void release() {
        if (b_) ole()->sysFreeString(b_);
        b_ = nullptr;
    }

    BSTR b_ = nullptr;
};

struct Variant {
    Variant() = default;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    // Only COM fills a VARIANT, so ole() is there when it is not empty.
    ~Variant() {
        if (v.vt != VT_EMPTY) ole()->variantClear(&v);
    }
    VARIANT v{};  // VT_EMPTY
};
