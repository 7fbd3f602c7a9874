// MessageBoxA as the program calls it: the icon, the buttons and the default
// button it asks for, answered from one of our timers, which keep running
// while the box waits.
#include "platform/win32/win32_platform.h"

#include "harness.h"
#include "support.h"

using namespace vel::platform;

namespace {

struct BoxSeen {
    bool found = false;
    bool yes = false, no = false, ok = false;
    bool noIsDefault = false, yesIsDefault = false;
    bool icon = false;
};

bool isDefault(HWND button) { return button && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON; }

BOOL CALLBACK findIcon(HWND child, LPARAM seen) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        reinterpret_cast<BoxSeen*>(seen)->icon = true;
    return TRUE;
}

// Opens a box and answers it with `answer` from a timer; returns the box's result.
int openAndAnswer(win32::Win32Platform& os, const char* title, int style, int answer, BoxSeen& seen, int& ticks) {
    TimerId timer = 0;
    timer = os.startTimer(30, [&] {
        ++ticks;
        HWND box = FindWindowA("#32770", title);
        if (!box) return;
        seen.found = true;
        seen.yes = GetDlgItem(box, IDYES) != nullptr;
        seen.no = GetDlgItem(box, IDNO) != nullptr;
        seen.ok = GetDlgItem(box, IDOK) != nullptr;
        seen.yesIsDefault = isDefault(GetDlgItem(box, IDYES));
        seen.noIsDefault = isDefault(GetDlgItem(box, IDNO));
        EnumChildWindows(box, findIcon, reinterpret_cast<LPARAM>(&seen));
        os.stopTimer(timer);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    });
    return os.messageBox("Close VELMORA v2?", title, style);
}

}  // namespace

WTEST(Dialog, YesNoQuestionWithTheSecondButtonAsDefault) {
    win32::Win32Platform os(wintest::testOptions());
    BoxSeen seen;
    int ticks = 0;
    const int answer = openAndAnswer(os, "VelmoraBoxTest1", mb::YesNo | mb::Question | mb::DefaultButton2, mb::IdNo,
                                     seen, ticks);
    REQUIRE(seen.found);
    CHECK(seen.yes && seen.no && !seen.ok);
    CHECK(seen.noIsDefault);
    CHECK(!seen.yesIsDefault);
    CHECK(seen.icon);
    CHECK_EQ(answer, mb::IdNo);
    CHECK(ticks >= 1);  // our timer ran inside the box's own loop
}

WTEST(Dialog, OkOnlyExclamationAnswersOk) {
    win32::Win32Platform os(wintest::testOptions());
    BoxSeen seen;
    int ticks = 0;
    const int answer = openAndAnswer(os, "VelmoraBoxTest2", mb::OkOnly | mb::Exclamation, mb::IdOk, seen, ticks);
    REQUIRE(seen.found);
    CHECK(seen.ok && !seen.yes && !seen.no);
    CHECK(seen.icon);
    CHECK_EQ(answer, mb::IdOk);
}

// The end of the run (--run-for's time) while a box waits for an answer
// nobody gives: the box ends, and the program with it.
WTEST(Dialog, QuittingEndsAnOpenBox) {
    win32::Win32Platform os(wintest::testOptions());
    bool open = false;
    int ticks = 0;
    os.startTimer(30, [&] {
        HWND box = FindWindowA("#32770", "VelmoraBoxTest3");
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
    CHECK(FindWindowA("#32770", "VelmoraBoxTest3") == nullptr);
    // Our WM_QUIT must not end the next case's boxes.
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
