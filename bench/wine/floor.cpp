// The platform's floor for scripts/bench.sh: a bare MDI frame with n children (tiled like Derodazo's
// default split), each on a 16 ms timer whose tick only takes a window DC and gives it back. Whatever
// this costs under Wine is not Derodazo's to save. Prints the ticks each child got, like bench_host.
//   floor.exe <seconds warm-up> <seconds measured> <children>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

HWND client = nullptr;
long long ticks[64];
bool counting = false;

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: SetTimer(hwnd, 1, 16, nullptr); return 0;
    case WM_TIMER: {
        HDC dc = GetDC(hwnd);
        ReleaseDC(hwnd, dc);
        const LONG_PTR index = GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        if (counting && index >= 0 && index < 64) ++ticks[index];
        return 0;
    }
    case WM_DESTROY: KillTimer(hwnd, 1); return 0;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE: {
        CLIENTCREATESTRUCT ccs{};
        client = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                 hwnd, nullptr, GetModuleHandleA(nullptr), &ccs);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

void CALLBACK CloseLater(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    const DWORD warmUp = static_cast<DWORD>(std::atof(argv[1]) * 1000);
    const DWORD measure = static_cast<DWORD>(std::atof(argv[2]) * 1000);
    const int children = std::atoi(argv[3]);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpfnWndProc = FrameProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    wc.lpszClassName = "FloorFrame";
    RegisterClassExA(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "FloorChild";
    RegisterClassExA(&wc);
    HWND frame =
        CreateWindowExA(0, "FloorFrame", "Floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, inst, nullptr);
    ShowWindow(frame, SW_SHOWNORMAL);
    for (int i = 0; i < children && i < 64; ++i) {
        HWND child = CreateWindowExA(
            WS_EX_MDICHILD, "FloorChild", "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, client, nullptr, inst, nullptr);
        SetWindowLongPtrA(child, GWLP_USERDATA, i);
    }
    SendMessageA(client, WM_MDITILE, MDITILE_VERTICAL, 0);

    const DWORD start = GetTickCount();
    DWORD begin = 0;
    bool done = false;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        const DWORD now = GetTickCount();
        if (!counting && !done && now - start >= warmUp) {
            counting = true;
            begin = now;
            std::printf("begin\n");
            std::fflush(stdout);
        }
        if (counting && now - begin >= measure) {
            counting = false;
            done = true;
            const double seconds = (now - begin) / 1000.0;
            std::printf("end %.3f\n", seconds);
            for (int i = 0; i < children && i < 64; ++i)
                std::printf("window FloorChild %d ticks %lld rate %.2f\n", i, ticks[i], ticks[i] / seconds);
            std::fflush(stdout);
            // The script reads the CPU counters at about this moment: stay up a little longer.
            SetTimer(frame, 0x7E57, 2000, CloseLater);
        }
        if (!TranslateMDISysAccel(client, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
