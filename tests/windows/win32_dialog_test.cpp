// MessageBoxA as the program calls it: the icon, the buttons and the default
// button it asks for, and its UTF-8 title and text as the same UTF-16
// characters, answered from one of our timers, which keep running while
// the box waits.
#include "platform/win32/win32_platform.h"

#include "harness.h"
#include "support.h"

using namespace vel::platform;

namespace {

struct BoxSeen {
    bool found = false, icon = false;
    std::string buttons, defaults;  // "yes no ok", as present and as default
    std::wstring title, text;
};

// Our thread's box, whatever its title reads, or nullptr.
HWND openBox() {
    const wchar_t* const dialog = L"#32770";
    for (HWND h = FindWindowExW(nullptr, nullptr, dialog, nullptr); h; h = FindWindowExW(nullptr, h, dialog, nullptr))
        if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId()) return h;
    return nullptr;
}

// Opens a box and answers it with `answer` from a timer; returns the box's result.
int openAndAnswer(win32::Win32Platform& os, const char* text, const char* title, int style, int answer, BoxSeen& seen,
                  int& ticks) {
    TimerId timer = 0;
    timer = os.startTimer(30, [&] {
        ++ticks;
        HWND box = openBox();
        if (!box) return;
        seen.found = true;
        const std::pair<int, const char*> buttons[] = {{IDYES, "yes "}, {IDNO, "no "}, {IDOK, "ok "}};
        for (const auto& [id, name] : buttons) {
            HWND button = GetDlgItem(box, id);
            if (button) seen.buttons += name;
            if (button && id != IDOK && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
                seen.defaults += name;
        }
        for (HWND c = FindWindowExA(box, nullptr, "Static", nullptr); c; c = FindWindowExA(box, c, "Static", nullptr))
            seen.icon = seen.icon || (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        seen.title = wintest::titleOf(box);
        seen.text = wintest::titleOf(GetDlgItem(box, 0xFFFF));  // the box's text
        os.stopTimer(timer);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
    return os.messageBox(text, title, style);
}

}  // namespace

WTEST(Dialog, EachBoxHasTheButtonsIconAndTextItWasAskedFor) {
    const char* const unicode = "Glidora\u2122 \u00dcber Gr\u00f6\u00dfe";
    const wchar_t* const wideUnicode = L"Glidora\u2122 \u00dcber Gr\u00f6\u00dfe";
    struct Case {
        const char* text;
        const char* title;
        int style, answer;
        const char *buttons, *defaults;
        bool icon;
        const wchar_t *wideText, *wideTitle;  // as the system holds them
    };
    const Case cases[] = {
        {"Close VELMORA v2?", "VelmoraBoxTest1", mb::YesNo | mb::Question | mb::DefaultButton2, mb::IdNo, "yes no ",
         "no ", true, L"Close VELMORA v2?", L"VelmoraBoxTest1"},
        {unicode, unicode, mb::OkOnly, mb::IdOk, "ok ", "", false, wideUnicode, wideUnicode},
    };
    for (const Case& c : cases) {
        win32::Win32Platform os(wintest::testOptions());
        BoxSeen seen;
        int ticks = 0;
        CHECK_EQ(openAndAnswer(os, c.text, c.title, c.style, c.answer, seen, ticks), c.answer);
        REQUIRE(seen.found);
        CHECK_EQ(seen.buttons, std::string(c.buttons));
        CHECK_EQ(seen.defaults, std::string(c.defaults));
        if (c.icon) CHECK(seen.icon);
        CHECK(seen.title == c.wideTitle);
        CHECK(seen.text == c.wideText);
        CHECK(ticks >= 1);  // our timer ran inside the box's own loop
    }
}

// The end of the run (--run-for's time) while a box waits for an answer
// nobody gives: the box ends, and the program with it.
WTEST(Dialog, QuittingEndsAnOpenBox) {
    win32::Win32Platform os(wintest::testOptions());
    bool open = false;
    int ticks = 0;
    os.startTimer(30, [&] {
        HWND box = openBox();
        if (++ticks == 3) {
            open = box != nullptr;
            os.quit(0);
        }
        // Bounded: a box the quit left open is answered after about 3 s.
        if (ticks == 100 && box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    const int answer = os.messageBox("Nobody answers this", "VelmoraBoxTest3", mb::OkOnly | mb::Exclamation);
    CHECK(open);
    CHECK_EQ(answer, IDCANCEL);
    CHECK(ticks < 100);
    CHECK(openBox() == nullptr);
    // Our WM_QUIT must not end the next case's boxes.
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
