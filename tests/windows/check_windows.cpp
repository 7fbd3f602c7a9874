// "--check-windows NAME...": run beside velmora.exe under Wine, it finds
// each form by its name (not its title) and checks that it is shown, shaped
// by a region and layered with its alpha; "--shaped NAME" checks a form that
// is shown and shaped but never layered (the Full View). "--changes NAME"
// checks that the form's picture on the screen changes within a few seconds
// (the meters move); "--alpha NAME VALUE" waits up to 20 s for the form's
// layered alpha to become VALUE (fading and waking). "--move-loop NAME
// begun|ended" waits up to 20 s for the system's move loop on the form's
// thread to begin or end. "--end-session NAME" tells the form the session
// ends, as Windows does. "--click NAME X Y" and "--key NAME VK" post a left
// click at a point of the form's client area, or a key; "--gone NAME" waits
// up to 20 s for no such form to be shown, "--shown NAME" up to 60 s for one.
// "--graph NAME" checks that the Full View's usage graph, on a processor
// page, gains at least 40 columns in 5 s (it draws one per 100 ms tick, so a
// blocked interface thread shows as a graph that stands still).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fullview/fullview_layout.h"
#include "fullview/panel_style.h"
#include "platform/win32/win32_platform.h"

namespace {

struct FormSearch {
    const std::string& name;
    HWND found = nullptr;
};

BOOL CALLBACK matchForm(HWND hwnd, LPARAM lp) {
    auto& search = *reinterpret_cast<FormSearch*>(lp);
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::strcmp(cls, "VelmoraForm") != 0 || !IsWindowVisible(hwnd) ||
        vel::platform::win32::Win32Platform::formNameOf(hwnd) != search.name)
        return TRUE;
    search.found = hwnd;
    return FALSE;
}

HWND visibleForm(const std::string& name) {
    FormSearch search{name};
    EnumWindows(matchForm, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findForm(const std::string& name, int waitMs) {
    for (int waited = 0;; waited += 100) {
        if (HWND hwnd = visibleForm(name)) return hwnd;
        if (waited >= waitMs) return nullptr;
        Sleep(100);
    }
}

// The shown form, or nullptr after saying that there is none.
HWND shownForm(const std::string& name) {
    HWND hwnd = findForm(name, 60000);
    if (!hwnd) std::printf("FAIL %s: no visible form of that name\n", name.c_str());
    return hwnd;
}

bool checkForm(const std::string& name, bool layered) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    // The window shows a moment before its load makes it layered: give it
    // that moment, boundedly.
    for (int waited = 0; layered && waited < 20000 && !(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED); waited += 100)
        Sleep(100);
    bool ok = true;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(hwnd, rgn);
    RECT box{};
    GetRgnBox(rgn, &box);
    DeleteObject(rgn);
    if (kind != COMPLEXREGION && kind != SIMPLEREGION) {
        std::printf("FAIL %s: no window region (GetWindowRgn %d)\n", name.c_str(), kind);
        ok = false;
    }
    const LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (layered &&
        (!(ex & WS_EX_LAYERED) || !GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))) {
        std::printf("FAIL %s: not layered with an alpha (exstyle %08lx)\n", name.c_str(), static_cast<unsigned long>(ex));
        ok = false;
    }
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::printf("%s %s: %ldx%ld at %ld,%ld, region box %ldx%ld, alpha %d, exstyle %08lx\n", ok ? "PASS" : "FAIL",
                name.c_str(), r.right - r.left, r.bottom - r.top, r.left, r.top, box.right - box.left,
                box.bottom - box.top, alpha, static_cast<unsigned long>(ex));
    return ok;
}

std::vector<COLORREF> capture(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::vector<COLORREF> pixels;
    HDC screen = GetWindowDC(nullptr);
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x) pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool checkChanges(const std::string& name) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    const std::vector<COLORREF> first = capture(hwnd);
    for (int waited = 0; waited < 8000; waited += 250) {
        Sleep(250);
        if (capture(hwnd) != first) {
            std::printf("PASS %s: its picture changed after %d ms\n", name.c_str(), waited + 250);
            return true;
        }
    }
    std::printf("FAIL %s: its picture did not change in 8 s\n", name.c_str());
    return false;
}

// How many columns of the usage graph hold something besides its ground.
int graphColumns(HWND hwnd) {
    // The graph sits at 216, 26 of the processor panels, 100 by 50 pixels.
    constexpr int kLeft = vel::fullview::kPanelLeft + 216, kTop = vel::fullview::kPanelTop + 26;
    constexpr int kWidth = 100, kHeight = 50;
    RECT r{};
    GetWindowRect(hwnd, &r);
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, kWidth, kHeight, screen, r.left + kLeft, r.top + kTop, SRCCOPY);
    int columns = 0;
    for (int x = 0; x < kWidth; ++x)
        for (int y = 0; y < kHeight; ++y)
            if (GetPixel(copy, x, y) != vel::fullview::kCoverColour) {
                ++columns;
                break;
            }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return columns;
}

bool checkGraph(const std::string& name) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    // The graph starts again from the left every 100 columns: a drop in the
    // count is a new pass, whose columns all count.
    int last = graphColumns(hwnd), gained = 0;
    for (int waited = 0; waited < 5000; waited += 250) {
        Sleep(250);
        const int now = graphColumns(hwnd);
        gained += now >= last ? now - last : now;
        last = now;
    }
    const bool ok = gained >= 40;
    std::printf("%s %s: the usage graph gained %d columns in 5 s\n", ok ? "PASS" : "FAIL", name.c_str(), gained);
    return ok;
}

bool checkAlpha(const std::string& name, int wanted) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    BYTE alpha = 0;
    for (int waited = 0; waited <= 20000; waited += 100) {
        DWORD flags = 0;
        if (GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) && alpha == wanted) {
            std::printf("PASS %s: alpha %d after %d ms\n", name.c_str(), wanted, waited);
            return true;
        }
        Sleep(100);
    }
    std::printf("FAIL %s: alpha is %d, not %d, after 20 s\n", name.c_str(), alpha, wanted);
    return false;
}

bool inMoveLoop(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
}

bool checkMoveLoop(const std::string& name, const std::string& state) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    const bool wanted = state == "begun";
    for (int waited = 0; waited <= 20000; waited += 50) {
        if (inMoveLoop(hwnd) == wanted) {
            std::printf("PASS %s: the move loop has %s (%d ms)\n", name.c_str(), state.c_str(), waited);
            return true;
        }
        Sleep(50);
    }
    std::printf("FAIL %s: the move loop has not %s in 20 s\n", name.c_str(), state.c_str());
    return false;
}

bool endSession(const std::string& name) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(hwnd, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer) || !answer) {
        std::printf("FAIL %s: WM_QUERYENDSESSION was not answered with TRUE\n", name.c_str());
        return false;
    }
    // The program ends during the message, so no answer is waited for.
    SendNotifyMessageA(hwnd, WM_ENDSESSION, TRUE, 0);
    std::printf("PASS %s: agreed to end the session and was told it ends\n", name.c_str());
    return true;
}

bool postClick(const std::string& name, int x, int y) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    std::printf("PASS %s: clicked at %d,%d\n", name.c_str(), x, y);
    Sleep(500);
    return true;
}

bool postKey(const std::string& name, int vk) {
    HWND hwnd = shownForm(name);
    if (!hwnd) return false;
    PostMessageA(hwnd, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageA(hwnd, WM_KEYUP, static_cast<WPARAM>(vk), static_cast<LPARAM>(0xC0000001u));
    std::printf("PASS %s: key %d\n", name.c_str(), vk);
    Sleep(500);
    return true;
}

bool checkGone(const std::string& name) {
    for (int waited = 0; waited <= 20000; waited += 100) {
        if (!visibleForm(name)) {
            std::printf("PASS %s: not shown after %d ms\n", name.c_str(), waited);
            return true;
        }
        Sleep(100);
    }
    std::printf("FAIL %s: still shown after 20 s\n", name.c_str());
    return false;
}

}  // namespace

int checkWindowsMain(int argc, char** argv) {
    int failures = 0, checks = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        ++checks;
        if (a == "--changes" && i + 1 < argc) {
            failures += checkChanges(argv[++i]) ? 0 : 1;
        } else if (a == "--move-loop" && i + 2 < argc) {
            const std::string name = argv[++i];
            failures += checkMoveLoop(name, argv[++i]) ? 0 : 1;
        } else if (a == "--end-session" && i + 1 < argc) {
            failures += endSession(argv[++i]) ? 0 : 1;
        } else if (a == "--click" && i + 3 < argc) {
            const std::string name = argv[++i];
            const int x = std::atoi(argv[++i]);
            failures += postClick(name, x, std::atoi(argv[++i])) ? 0 : 1;
        } else if (a == "--key" && i + 2 < argc) {
            const std::string name = argv[++i];
            failures += postKey(name, std::atoi(argv[++i])) ? 0 : 1;
        } else if (a == "--shown" && i + 1 < argc) {
            const std::string name = argv[++i];
            const bool shown = findForm(name, 60000) != nullptr;
            std::printf("%s %s: %s\n", shown ? "PASS" : "FAIL", name.c_str(), shown ? "shown" : "not shown in 60 s");
            failures += shown ? 0 : 1;
        } else if (a == "--graph" && i + 1 < argc) {
            failures += checkGraph(argv[++i]) ? 0 : 1;
        } else if (a == "--gone" && i + 1 < argc) {
            failures += checkGone(argv[++i]) ? 0 : 1;
        } else if (a == "--alpha" && i + 2 < argc) {
            const std::string name = argv[++i];
            failures += checkAlpha(name, std::atoi(argv[++i])) ? 0 : 1;
        } else if (a == "--shaped" && i + 1 < argc) {
            failures += checkForm(argv[++i], false) ? 0 : 1;
        } else {
            failures += checkForm(a, true) ? 0 : 1;
        }
    }
    std::printf("%d passed, %d failed\n", checks - failures, failures);
    return failures || checks == 0 ? 1 : 0;
}
