/* A stand-in for WMI's locator that never answers, as a WMI service that hangs: put
   into the system folder as wbemprox.dll and loaded in its place
   (WINEDLLOVERRIDES=wbemprox=n), it gives a locator whose ConnectServer never returns. */

#define COBJMACROS
#include <windows.h>

#include <wbemcli.h>

static HRESULT STDMETHODCALLTYPE locatorQuery(IWbemLocator* self, REFIID riid, void** out) {
    if (!IsEqualIID(riid, &IID_IUnknown) && !IsEqualIID(riid, &IID_IWbemLocator)) {
        *out = NULL;
        return E_NOINTERFACE;
    }
    *out = self;
    return S_OK;
}

static ULONG STDMETHODCALLTYPE staticRef(IWbemLocator* self) {
    (void)self;
    return 1;
}

static HRESULT STDMETHODCALLTYPE neverAnswers(IWbemLocator* self, const BSTR space, const BSTR user,
                                              const BSTR password, const BSTR locale, LONG flags,
                                              const BSTR authority, IWbemContext* context,
                                              IWbemServices** services) {
    (void)self, (void)space, (void)user, (void)password, (void)locale, (void)flags;
    (void)authority, (void)context, (void)services;
    Sleep(INFINITE);
    return E_FAIL;
}

static IWbemLocatorVtbl locatorCalls = {locatorQuery, staticRef, staticRef, neverAnswers};
static IWbemLocator locator = {&locatorCalls};

static HRESULT STDMETHODCALLTYPE factoryQuery(IClassFactory* self, REFIID riid, void** out) {
    if (!IsEqualIID(riid, &IID_IUnknown) && !IsEqualIID(riid, &IID_IClassFactory)) {
        *out = NULL;
        return E_NOINTERFACE;
    }
    *out = self;
    return S_OK;
}

static ULONG STDMETHODCALLTYPE factoryRef(IClassFactory* self) {
    (void)self;
    return 1;
}

static HRESULT STDMETHODCALLTYPE makeLocator(IClassFactory* self, IUnknown* outer, REFIID riid,
                                             void** out) {
    (void)self, (void)outer;
    return locatorQuery(&locator, riid, out);
}

static HRESULT STDMETHODCALLTYPE lockServer(IClassFactory* self, BOOL lock) {
    (void)self, (void)lock;
    return S_OK;
}

static IClassFactoryVtbl factoryCalls = {factoryQuery, factoryRef, factoryRef, makeLocator,
                                         lockServer};
static IClassFactory factory = {&factoryCalls};

__declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
    (void)clsid;
    return factoryQuery(&factory, riid, out);
}

__declspec(dllexport) HRESULT WINAPI DllCanUnloadNow(void) {
    return S_FALSE;
}
