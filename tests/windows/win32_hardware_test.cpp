// WMI through COM: which of the inventory's classes this system answers,
// the value conversion, and the inventory taken from it (with its time).
#include "platform/win32/win32_hardware.h"
#include "platform/win32/win32_sources.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <wbemidl.h>

#include "harness.h"
#include "sources/hardware_inventory.h"

using namespace vel;
using namespace vel::platform;

WTEST(Hardware, ValuesBecomeText) {
    VARIANT v;
    VariantInit(&v);
    const auto text = [&v](VARTYPE type, long cimType, auto set) {
        V_VT(&v) = type;
        set();
        std::string out = "<none>";
        win32::variantText(v, cimType, out);
        VariantClear(&v);
        return out;
    };
    // 4 GiB less 1 MiB of video memory, as WMI hands a uint32 over.
    CHECK_EQ(text(VT_I4, CIM_UINT32, [&] { V_I4(&v) = -1048576; }), std::string("4293918720"));
    CHECK_EQ(text(VT_I4, CIM_SINT32, [&] { V_I4(&v) = -5; }), std::string("-5"));
    CHECK_EQ(text(VT_BOOL, CIM_BOOLEAN, [&] { V_BOOL(&v) = VARIANT_TRUE; }), std::string("True"));
    CHECK_EQ(text(VT_BOOL, CIM_BOOLEAN, [&] { V_BOOL(&v) = VARIANT_FALSE; }), std::string("False"));
    CHECK_EQ(text(VT_BSTR, CIM_DATETIME, [&] { V_BSTR(&v) = SysAllocString(L"20190514000000.000000+000"); }),
             std::string("20190514000000.000000+000"));
    CHECK_EQ(text(VT_BSTR, CIM_STRING, [&] { V_BSTR(&v) = SysAllocString(L"Caf\u00e9 "); }), std::string("Caf\xc3\xa9 "));
    CHECK_EQ(text(VT_R8, CIM_REAL64, [&] { V_R8(&v) = 1.5; }), std::string("1.5"));
    CHECK_EQ(text(VT_NULL, CIM_STRING, [] {}), std::string("<none>"));
    CHECK_EQ(text(VT_ARRAY | VT_I4, CIM_UINT16 | CIM_FLAG_ARRAY, [&] { V_ARRAY(&v) = SafeArrayCreateVector(VT_I4, 0, 2); }),
             std::string("<none>"));
}

// Under Wine 8 six of the ten classes have instances; the other four
// answer with none. Each table keeps an empty record after those found.
WTEST(Hardware, InventoryFromWmi) {
    auto sources = win32::createWin32Sources();
    HardwareInventory inv;
    const auto start = std::chrono::steady_clock::now();
    takeInventory(*sources, ".", inv);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // How long it takes is a figure, not a check: a busy machine has taken 4.4 s.
    std::printf("  inventory taken in %.1f ms\n", ms);
    const std::vector<std::string> empty = {"Win32_CacheMemory", "Win32_Keyboard", "Win32_PhysicalMemoryArray",
                                            "Win32_PointingDevice"};
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    for (const std::string& name : inventoryClasses()) {
        const std::size_t found = inventoryRecords(inv, name).size() - 1;
        std::printf("  %s: %zu instance(s)\n", name.c_str(), found);
        if (std::find(empty.begin(), empty.end(), name) == empty.end()) CHECK(found > 0);
        else if (wine) CHECK_EQ(found, std::size_t{0});
    }
    std::printf("  processor: \"%s\"\n", inv.processor[0].Name.c_str());
    CHECK(inv.processor.back().Name.empty());
    CHECK(!inv.processor[0].Name.empty());
    CHECK(inv.processor[0].Name == inv.processor[0].Name.substr(inv.processor[0].Name.find_first_not_of(' ')));
    CHECK_EQ(inv.processor[0].Architecture, std::string(sizeof(void*) == 8 ? "x64 processor" : "x86 processor"));
}
