#pragma once
// COM on the thread, and owners for COM pointers, BSTRs and VARIANTs: released on
// every path out.

#include <windows.h>

#include <oleauto.h>

#include <string_view>
#include <utility>

// COM on this thread, apartment-threaded, for as long as it lives: WMI needs it
// on the user-interface thread.
struct ComApartment {
    HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComApartment() = default;
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(started)) CoUninitialize();
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
    explicit Bstr(std::wstring_view text)
        : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(b_); }

    operator BSTR() const { return b_; }
    BSTR* put() {
        SysFreeString(b_);
        b_ = nullptr;
        return &b_;
    }

  private:
    BSTR b_ = nullptr;
};

struct Variant {
    Variant() { VariantInit(&v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&v); }
    VARIANT v;
};
