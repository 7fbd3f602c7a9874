#include "platform/win32/win32_hardware.h"

#include <objbase.h>
#include <thread>
#include <wbemidl.h>

namespace vel::platform::win32 {

namespace {

// A query that takes longer than this per object counts as failed, so a
// hung service cannot stop the start-up for good.
constexpr long kObjectTimeoutMs = 20000;

std::string utf8(const wchar_t* text, int length = -1) {
    if (!text) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    if (length < 0 && !out.empty()) out.pop_back();  // the counted terminator
    return out;
}

std::wstring wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

template <class T>
void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// Every non-system property of one object, in WMI's order.
HardwareObject objectProperties(IWbemClassObject* object) {
    HardwareObject result;
    if (FAILED(object->BeginEnumeration(WBEM_FLAG_NONSYSTEM_ONLY))) return result;
    for (;;) {
        BSTR name = nullptr;
        VARIANT value;
        VariantInit(&value);
        CIMTYPE type = 0;
        if (object->Next(0, &name, &value, &type, nullptr) != WBEM_S_NO_ERROR) break;
        std::string text;
        if (variantText(value, type, text)) result.properties.emplace_back(utf8(name), std::move(text));
        SysFreeString(name);
        VariantClear(&value);
    }
    object->EndEnumeration();
    return result;
}

// One query from start to end: COM in the multithreaded apartment, the
// locator, the service of this computer's root\cimv2, the query and its
// objects, and everything released again.
bool runQuery(const std::string& wql, std::vector<HardwareObject>& out) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return false;
    // Process-wide; fails harmlessly when it was set already.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                         nullptr, EOAC_NONE, nullptr);
    IWbemLocator* locator = nullptr;
    IWbemServices* services = nullptr;
    IEnumWbemClassObject* objects = nullptr;
    bool ok = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                   reinterpret_cast<void**>(&locator)))) {
        BSTR path = SysAllocString(L"\\\\.\\root\\cimv2");
        if (FAILED(locator->ConnectServer(path, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services)))
            services = nullptr;
        SysFreeString(path);
    }
    if (services) {
        CoSetProxyBlanket(services, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                          RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
        BSTR language = SysAllocString(L"WQL");
        BSTR text = SysAllocString(wide(wql).c_str());
        if (FAILED(services->ExecQuery(language, text, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                       nullptr, &objects)))
            objects = nullptr;
        SysFreeString(language);
        SysFreeString(text);
    }
    while (objects) {
        IWbemClassObject* object = nullptr;
        ULONG returned = 0;
        const HRESULT next = objects->Next(kObjectTimeoutMs, 1, &object, &returned);
        if (returned == 0 || !object) {
            ok = next == WBEM_S_FALSE;  // the end of the collection
            break;
        }
        out.push_back(objectProperties(object));
        object->Release();
    }
    release(objects);
    release(services);
    release(locator);
    CoUninitialize();
    return ok;
}

}  // namespace

// Each query runs on a thread of its own, which the caller waits for: the
// window thread's COM apartment stays as it was (nothing else in the
// program then finds it taken), and what the providers make on the way
// (Wine's video-adapter probe makes a window and a GL context) ends with
// that thread.
bool WmiService::query(const std::string& wql, std::vector<HardwareObject>& out) {
    out.clear();
    bool ok = false;
    std::thread worker([&] { ok = runQuery(wql, out); });
    worker.join();
    return ok;
}

bool variantText(const VARIANT& value, long cimType, std::string& out) {
    if (V_VT(&value) & VT_ARRAY) return false;
    const bool unsignedType = cimType == CIM_UINT8 || cimType == CIM_UINT16 || cimType == CIM_UINT32;
    switch (V_VT(&value)) {
        case VT_EMPTY:
        case VT_NULL: return false;
        case VT_BSTR: out = utf8(V_BSTR(&value), static_cast<int>(SysStringLen(V_BSTR(&value)))); return true;
        case VT_BOOL: out = V_BOOL(&value) ? "True" : "False"; return true;
        // WMI hands unsigned 8-, 16- and 32-bit properties over in signed variants.
        case VT_I1: out = unsignedType ? std::to_string(static_cast<unsigned char>(V_I1(&value))) : std::to_string(V_I1(&value)); return true;
        case VT_I2: out = unsignedType ? std::to_string(static_cast<unsigned short>(V_I2(&value))) : std::to_string(V_I2(&value)); return true;
        case VT_I4: out = unsignedType ? std::to_string(static_cast<unsigned long>(V_I4(&value))) : std::to_string(V_I4(&value)); return true;
        case VT_INT: out = std::to_string(V_INT(&value)); return true;
        case VT_I8: out = std::to_string(V_I8(&value)); return true;
        case VT_UI1: out = std::to_string(V_UI1(&value)); return true;
        case VT_UI2: out = std::to_string(V_UI2(&value)); return true;
        case VT_UI4: out = std::to_string(V_UI4(&value)); return true;
        case VT_UINT: out = std::to_string(V_UINT(&value)); return true;
        case VT_UI8: out = std::to_string(V_UI8(&value)); return true;
        default: break;
    }
    VARIANT asText;
    VariantInit(&asText);
    if (FAILED(VariantChangeTypeEx(&asText, const_cast<VARIANT*>(&value), LOCALE_INVARIANT, 0, VT_BSTR))) return false;
    out = utf8(V_BSTR(&asText), static_cast<int>(SysStringLen(V_BSTR(&asText))));
    VariantClear(&asText);
    return true;
}

}  // namespace vel::platform::win32
