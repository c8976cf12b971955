#include "growth_probe.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int minutesLeft = 0;
int minute = 0;
HWND closeAtEnd = nullptr;
void** leaked = nullptr; // the control's blocks, chained so that no compiler may drop them

// The kinds a leak is most likely to be of; all others are printed together as "other". dcs are window DCs,
// which Wine keeps for reuse; each kept bubble picture is one of the memdcs and one of the bitmaps.
const struct {
    const char* name;
    DWORD type;
} kKinds[] = {{"pens", OBJ_PEN},       {"brushes", OBJ_BRUSH}, {"dcs", OBJ_DC},        {"memdcs", OBJ_MEMDC},
              {"bitmaps", OBJ_BITMAP}, {"fonts", OBJ_FONT},    {"regions", OBJ_REGION}};

// Wine takes a GDI handle whose upper 16 bits are 0 for whatever lives in its table slot, so asking the type
// of every 16-bit handle finds each live object once. Windows checks those bits: there the scan finds
// nothing, and gui_gdi is the figure.
void CountGdiObjects(int byType[32]) {
    for (uintptr_t slot = 0; slot <= 0xFFFF; ++slot)
        ++byType[GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) & 31];
}

long CountHandles() {
    std::vector<char> buffer(1 << 16);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<NTSTATUS>(0xC0000004)) // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status < 0) return -1;
    const auto* list = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < list->Count; ++i)
        count += list->Handle[i].OwnerPid == GetCurrentProcessId();
    return count;
}

// What Windows calls private usage, the committed memory that belongs to this process alone; Wine's
// GetProcessMemoryInfo leaves PrivateUsage 0, but it answers VirtualQuery region by region.
size_t PrivateKb() {
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* at = static_cast<char*>(nullptr); VirtualQuery(at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize)
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    return total / 1024;
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// EnumChildWindows walks every descendant, so each top-level window adds itself and its whole tree.
BOOL CALLBACK CountTree(HWND hwnd, LPARAM count) {
    CountOne(hwnd, count);
    EnumChildWindows(hwnd, CountOne, count);
    return TRUE;
}

void PrintFigures() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), memory.cb);
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTree, reinterpret_cast<LPARAM>(&windows));
    int byType[32] = {};
    CountGdiObjects(byType);
    int total = 0;
    for (int type = 1; type < 32; ++type)
        total += byType[type];
    std::printf("minute %d rss_kb %zu private_kb %zu handles %ld gdi %d gui_gdi %lu windows %d", minute,
                memory.WorkingSetSize / 1024, PrivateKb(), CountHandles(), total,
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), windows);
    int other = total;
    for (const auto& kind : kKinds) {
        std::printf(" %s %d", kind.name, byType[kind.type]);
        other -= byType[kind.type];
    }
    std::printf(" other %d\n", other);
    std::fflush(stdout);
}

void CALLBACK EachMinute(HWND, UINT, UINT_PTR id, DWORD) {
    ++minute;
    PrintFigures();
    if (--minutesLeft > 0) return;
    KillTimer(nullptr, id);
    PostMessageA(closeAtEnd, WM_CLOSE, 0, 0);
}

void CALLBACK Leak(HWND, UINT, UINT_PTR, DWORD) {
    CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    CreateEventA(nullptr, FALSE, FALSE, nullptr);
    constexpr size_t kBlock = 64 * 1024;
    auto* block = static_cast<void**>(std::malloc(kBlock));
    if (block == nullptr) return;
    std::memset(block, 1, kBlock);
    *block = leaked;
    leaked = block;
}

} // namespace

void StartGrowthProbe(int minutes, HWND window) {
    minutesLeft = minutes;
    closeAtEnd = window;
    PrintFigures();
    // Thread timers: the program's own loop dispatches them, and so does any modal loop it enters.
    SetTimer(nullptr, 0, 60 * 1000, EachMinute);
    if (std::getenv("GROWTH_LEAK")) SetTimer(nullptr, 0, 1000, Leak);
}
