// "--check-windows CHECK...": run beside velmora.exe under Wine, it finds
// each form by its name (not its title) and checks or does what the verbs
// below say; every wait is bounded. A bare NAME checks that the form is
// shown, shaped by a region and layered with its alpha.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "fullview/fullview_layout.h"
#include "fullview/panel_style.h"
#include "platform/win32/win32_platform.h"

namespace {

// Asks every STEP ms, for LIMIT ms at most; the ms waited, or -1 if never.
int waitFor(int limit, int step, const std::function<bool()>& done) {
    for (int waited = 0;; waited += step) {
        if (done()) return waited;
        if (waited >= limit) return -1;
        Sleep(step);
    }
}

bool report(bool ok, const std::string& name, const std::string& what) {
    std::printf("%s %s: %s\n", ok ? "PASS" : "FAIL", name.c_str(), what.c_str());
    return ok;
}

// A shown top-level form of that name, or nullptr.
HWND visibleForm(const std::string& name) {
    for (HWND h = FindWindowExA(nullptr, nullptr, "VelmoraForm", nullptr); h;
         h = FindWindowExA(nullptr, h, "VelmoraForm", nullptr))
        if (IsWindowVisible(h) && vel::platform::win32::Win32Platform::formNameOf(h) == name) return h;
    return nullptr;
}

// The shown form (60 s at most), or nullptr after saying that there is none.
HWND shownForm(const std::string& name) {
    HWND hwnd = nullptr;
    waitFor(60000, 100, [&] { return (hwnd = visibleForm(name)) != nullptr; });
    if (!hwnd) report(false, name, "no visible form of that name");
    return hwnd;
}

bool checkForm(HWND hwnd, const std::string& name, bool layered) {
    // The window shows a moment before its load shapes it and makes it
    // layered (longer on a busy machine): give it that moment, boundedly.
    if (layered) waitFor(20000, 100, [&] { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; });
    bool ok = true;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    int kind = ERROR;
    waitFor(20000, 100, [&] {
        kind = GetWindowRgn(hwnd, rgn);
        return kind == COMPLEXREGION || kind == SIMPLEREGION;
    });
    RECT box{};
    GetRgnBox(rgn, &box);
    DeleteObject(rgn);
    if (kind != COMPLEXREGION && kind != SIMPLEREGION)
        ok = report(false, name, "no window region (GetWindowRgn " + std::to_string(kind) + ")");
    const LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (layered &&
        (!(ex & WS_EX_LAYERED) || !GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)))
        ok = report(false, name, "not layered with an alpha");
    RECT r{};
    GetWindowRect(hwnd, &r);
    char line[200];
    std::snprintf(line, sizeof line, "%ldx%ld at %ld,%ld, region box %ldx%ld, alpha %d, exstyle %08lx",
                  r.right - r.left, r.bottom - r.top, r.left, r.top, box.right - box.left, box.bottom - box.top, alpha,
                  static_cast<unsigned long>(ex));
    return report(ok, name, line);
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

bool inMoveLoop(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
}

struct Input {
    UINT message;
    WPARAM w;
    LPARAM l;
};

// Posted input, with a moment for the form to act on it.
bool post(HWND hwnd, const std::string& name, const std::vector<Input>& input, const std::string& what) {
    for (const Input& m : input) PostMessageA(hwnd, m.message, m.w, m.l);
    Sleep(500);
    return report(true, name, what);
}

std::string ms(int waited) { return waited >= 0 ? " after " + std::to_string(waited) + " ms" : " in the time allowed"; }

// A verb: how many words follow its form's name, and what it checks or does.
struct Verb {
    int words;
    std::function<bool(HWND, const std::string&, char**)> run;
};

const std::vector<std::pair<std::string, Verb>>& verbs() {
    static const std::vector<std::pair<std::string, Verb>> table = {
        // Shown and shaped but never layered (the Full View).
        {"--shaped", {0, [](HWND h, const std::string& n, char**) { return checkForm(h, n, false); }}},
        // On a processor page the usage graph gains at least 40 columns in
        // 5 s: one per 100 ms tick, so a blocked interface thread shows as a
        // graph that stands still.
        {"--graph", {0, [](HWND h, const std::string& n, char**) {
             // The graph starts again from the left every 100 columns: a
             // drop in the count is a new pass, whose columns all count.
             int last = graphColumns(h), gained = 0;
             for (int waited = 0; waited < 5000; waited += 250) {
                 Sleep(250);
                 const int now = graphColumns(h);
                 gained += now >= last ? now - last : now;
                 last = now;
             }
             return report(gained >= 40, n, "the usage graph gained " + std::to_string(gained) + " columns in 5 s");
         }}},
        // --alpha NAME VALUE: the layered alpha becomes VALUE within 20 s (fading and waking).
        {"--alpha", {1, [](HWND h, const std::string& n, char** w) {
             const int wanted = std::atoi(w[0]);
             BYTE alpha = 0;
             const int waited = waitFor(20000, 100, [&] {
                 DWORD flags = 0;
                 return GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) && alpha == wanted;
             });
             return report(waited >= 0, n, "alpha " + std::to_string(alpha) + " (" + w[0] + " wanted)" + ms(waited));
         }}},
        // --move-loop NAME begun|ended: the system's move loop on the form's thread, within 20 s.
        {"--move-loop", {1, [](HWND h, const std::string& n, char** w) {
             const bool wanted = std::string(w[0]) == "begun";
             const int waited = waitFor(20000, 50, [&] { return inMoveLoop(h) == wanted; });
             return report(waited >= 0, n, std::string("the move loop has ") + (waited >= 0 ? "" : "not ") + w[0] + ms(waited));
         }}},
        // The session ends, as Windows tells it; the program ends during the
        // second message, so no answer is waited for.
        {"--end-session", {0, [](HWND h, const std::string& n, char**) {
             DWORD_PTR answer = 0;
             if (!SendMessageTimeoutA(h, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer) || !answer)
                 return report(false, n, "WM_QUERYENDSESSION was not answered with TRUE");
             SendNotifyMessageA(h, WM_ENDSESSION, TRUE, 0);
             return report(true, n, "agreed to end the session and was told it ends");
         }}},
        // --click NAME X Y: a left click at a point of the client area.
        {"--click", {2, [](HWND h, const std::string& n, char** w) {
             const LPARAM at = MAKELPARAM(std::atoi(w[0]), std::atoi(w[1]));
             return post(h, n, {{WM_MOUSEMOVE, 0, at}, {WM_LBUTTONDOWN, MK_LBUTTON, at}, {WM_LBUTTONUP, 0, at}},
                         std::string("clicked at ") + w[0] + "," + w[1]);
         }}},
        // --key NAME VK: a key pressed and let go.
        {"--key", {1, [](HWND h, const std::string& n, char** w) {
             const auto vk = static_cast<WPARAM>(std::atoi(w[0]));
             return post(h, n, {{WM_KEYDOWN, vk, 1}, {WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u)}},
                         std::string("key ") + w[0]);
         }}},
        // Shown within 60 s (the form was found).
        {"--shown", {0, [](HWND, const std::string& n, char**) { return report(true, n, "shown"); }}},
    };
    return table;
}

}  // namespace

int checkWindowsMain(int argc, char** argv) {
    int failures = 0, checks = 0;
    for (int i = 1; i < argc; ++i, ++checks) {
        const std::string a = argv[i];
        if (a == "--gone" && i + 1 < argc) {  // no such form shown within 20 s
            const std::string name = argv[++i];
            const int waited = waitFor(20000, 100, [&] { return visibleForm(name) == nullptr; });
            failures += report(waited >= 0, name, std::string(waited >= 0 ? "not shown" : "still shown") + ms(waited)) ? 0 : 1;
            continue;
        }
        const Verb* verb = nullptr;
        for (const auto& [word, v] : verbs())
            if (word == a && i + 1 + v.words < argc) verb = &v;
        const std::string name = verb ? argv[++i] : a;
        HWND hwnd = shownForm(name);
        const bool ok = hwnd && (verb ? verb->run(hwnd, name, argv + i + 1) : checkForm(hwnd, name, true));
        if (verb) i += verb->words;
        failures += ok ? 0 : 1;
    }
    std::printf("%d passed, %d failed\n", checks - failures, failures);
    return failures || checks == 0 ? 1 : 0;
}
