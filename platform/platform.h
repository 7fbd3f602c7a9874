// The one seam between VELMORA and the operating system.
// Everything outside platform/ talks to the machine only through this
// interface (and the measurement sources in sources_api.h). Three backends
// implement it: sim (virtual desktop, virtual time), linux (X11) and win32.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/pixels.h"
#include "gfx/png.h"
#include "gfx/text_backend.h"
#include "platform/http_api.h"
#include "platform/sources_api.h"

namespace vel::platform {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

// Window rectangle in screen pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool empty() const { return right <= left || bottom <= top; }
};

// `r` cut to a width x height picture.
inline Rect clippedTo(const Rect& r, int width, int height) {
    Rect c{r.left < 0 ? 0 : r.left, r.top < 0 ? 0 : r.top, r.right > width ? width : r.right,
           r.bottom > height ? height : r.bottom};
    return c.empty() ? Rect{} : c;
}

// A window region as the union of rectangles, in window pixels.
struct Region {
    std::vector<Rect> rects;
    bool empty() const { return rects.empty(); }
    bool contains(int x, int y) const {
        for (const Rect& r : rects)
            if (r.contains(x, y)) return true;
        return false;
    }
};

using WindowId = std::uint32_t;
using TimerId = std::uint32_t;

enum class MouseButton : int { None = 0, Left = 1, Right = 2, Middle = 4 };

// Raw mouse input for one window, in window pixels.
struct MouseEvent {
    enum class Kind { Down, Up, Move, DoubleClick, Leave, Wheel } kind = Kind::Move;
    MouseButton button = MouseButton::None;
    int shift = 0;  // 1 shift, 2 ctrl, 4 alt
    int x = 0;
    int y = 0;
    int wheel = 0;  // Wheel: 120 per notch, away from the user positive
};

struct KeyEvent {
    int keyCode = 0;  // Windows virtual-key numbers (9 Tab, 13 Enter, 27 Escape)
    int shift = 0;
};

// What a window tells its owner.
class WindowListener {
public:
    virtual ~WindowListener() = default;
    virtual void onMouse(const MouseEvent& e) = 0;
    virtual void onKey(const KeyEvent&) {}
    // The system asks the owner to repaint (exposure, compositor restart).
    virtual void onExpose() {}
    // The user asked to close the window from outside (window manager).
    virtual void onCloseRequest() {}
};

struct WindowDesc {
    std::string name;   // the form name, e.g. "frmMain": the window's identity for tests
    Rect bounds;        // screen pixels
    bool toolWindow = true;  // borderless, no taskbar entry
    bool popup = false;      // tooltip or menu: never activated, always above
    // A dialog: title bar with the caption and a close button, a taskbar
    // entry; bounds give its client area.
    bool dialog = false;
    std::string caption{};  // the title people see; the name where empty
    // Takes the keyboard when shown, like a dialog; monitor windows never do.
    bool takesFocus = false;
    const std::string& title() const { return caption.empty() ? name : caption; }
};

// SetWindowPos insert-after values used by the program.
enum class ZOrder : int { TopMost = -1, NoTopMost = -2 };
constexpr unsigned kSwpNoSize = 0x01, kSwpNoMove = 0x02, kSwpNoActivate = 0x10, kSwpShowWindow = 0x40;
constexpr unsigned kTopMostFlags = kSwpNoSize | kSwpNoMove | kSwpNoActivate | kSwpShowWindow;  // 0x53

// Message boxes: style bits as the classic MessageBox/MsgBox flags.
namespace mb {
constexpr int OkOnly = 0, YesNo = 4;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7;
}  // namespace mb

// Registry: roots and value types as the Windows registry has them.
enum class RegRoot : std::uint32_t {
    ClassesRoot = 0x80000000u,
    CurrentUser = 0x80000001u,
    LocalMachine = 0x80000002u,
    DynData = 0x80000006u,
};
constexpr std::uint32_t kRegSz = 1, kRegDword = 4;
constexpr long kErrorSuccess = 0, kErrorFileNotFound = 2, kErrorAccessDenied = 5, kErrorMoreData = 234;

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class Registry {
public:
    virtual ~Registry() = default;
    using Key = std::uintptr_t;  // 0 = no key
    virtual long openKey(RegRoot root, const std::string& subKey, Key& out) = 0;    // RegOpenKeyA
    virtual long createKey(RegRoot root, const std::string& subKey, Key& out) = 0;  // RegCreateKeyA
    virtual long closeKey(Key key) = 0;
    virtual long queryValue(Key key, const std::string& name, RegValue& out) = 0;
    virtual long setValue(Key key, const std::string& name, const RegValue& value) = 0;
    virtual long deleteValue(Key key, const std::string& name) = 0;
};

// Local or UTC time with milliseconds, as SYSTEMTIME holds it.
struct SystemTime {
    int year = 0, month = 0, dayOfWeek = 0, day = 0;
    int hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// Abbreviated day names (Sunday first) and month names of the user's locale.
struct LocaleDateNames {
    std::array<std::string, 7> days;
    std::array<std::string, 12> months;
};

struct VersionInfo {
    int major = 2, minor = 0, revision = 0;
    // From the program's version resource, where the system has one ("" elsewhere).
    std::string productName{}, copyright{};
};

// The system's fonts, where the backend has them (see gfx::TextBackend).
using SystemText = gfx::TextBackend;

// Files. Paths are native (see nativePath) and UTF-8 on every backend.
enum class FileKind { Missing, File, Directory, Link, Other };
struct FolderEntry {
    std::string name;
    FileKind kind = FileKind::Missing;
};
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

// When a file last changed and how long it is: equal stamps mean the
// contents need not be read again.
struct FileStamp {
    std::int64_t modified = 0;  // in the system's own units
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// Every file the program reads or writes goes through here: the settings
// file, the skin pictures and the logs.
class Files : public gfx::FileReader {
public:

    // --- whole files (settings, pictures); a link is followed ---------------
    // nullopt when there is no such file. (readFile, whole files, comes from FileReader.)
    virtual std::optional<FileStamp> fileStamp(const std::string& path) = 0;
    // Gives the file new contents in one step: written beside it and renamed
    // over it, keeping its mode, so a failure never loses the old text. A
    // link is written through; a read-only file, or anything but a plain
    // file, is refused and stays as it is. Creates a missing file.
    virtual bool replaceFile(const std::string& path, const std::string& contents) = 0;

    // --- the log folder; a link is never followed (on Windows any reparse point) ---
    // Opens a file for appending, creating it when missing. A link or
    // anything but a plain file is refused, so nothing is written through a
    // link planted under the file's name. kNoFile when it cannot be opened.
    virtual FileHandle openAppend(const std::string& path) = 0;
    // Appends all of the bytes; false when not all of them were written.
    virtual bool writeFile(FileHandle file, const char* data, std::size_t size) = 0;
    virtual bool closeFile(FileHandle file) = 0;
    // The entries of a folder (without "." and ".."); false when it cannot be read.
    virtual bool listFolder(const std::string& folder, std::vector<FolderEntry>& out) = 0;
    // What the path names itself, without following a link.
    virtual FileKind fileKind(const std::string& path) = 0;
    // Removes a plain file (a link is removed itself, its target never touched).
    virtual bool deleteFile(const std::string& path) = 0;
    // True when people other than the owner may read the file (its group or
    // everyone): a file holding a password must not be. False where the
    // system cannot tell.
    virtual bool readableByOthers(const std::string& /*path*/) { return false; }
};

class Platform {
public:
    virtual ~Platform() = default;

    virtual std::string backendName() const = 0;

    // --- windows ---------------------------------------------------------
    virtual WindowId createWindow(const WindowDesc& desc, WindowListener* listener) = 0;
    virtual void destroyWindow(WindowId id) = 0;
    virtual void showWindow(WindowId id, bool visible) = 0;
    virtual void moveWindow(WindowId id, const Rect& bounds) = 0;
    virtual Rect windowRect(WindowId id) const = 0;
    // Region in window pixels; nullptr makes the window rectangular again.
    virtual void setWindowRegion(WindowId id, const Region* region, bool redraw) = 0;
    // Layered style (replacing the extended style) and constant alpha.
    // Returns the system's last error code (0 = fine).
    virtual long setLayeredAlpha(WindowId id, std::uint8_t alpha) = 0;
    virtual void setWindowPos(WindowId id, ZOrder insertAfter, unsigned flags) = 0;
    // Top of its band (top-most or not), without moving or activating it.
    virtual void bringToFront(WindowId id) = 0;
    // Gives a shown window the keyboard (it was created to take it).
    virtual void activateWindow(WindowId id) = 0;
    // Shows the window's whole picture. Only `changed` (window pixels) may
    // differ from what was presented last, so a backend may send just that
    // part; a new size always sends everything.
    virtual void present(WindowId id, const Pixels& pixels, const Rect& changed) = 0;
    void present(WindowId id, const Pixels& pixels) { present(id, pixels, Rect{0, 0, pixels.width, pixels.height}); }
    // Caption drag: returns once the button is released.
    virtual void systemDrag(WindowId id) = 0;

    // --- screen and cursor -----------------------------------------------
    virtual Point cursorPos() = 0;
    // Colour (0x00BBGGRR) of a screen pixel; -1 when it cannot be read.
    virtual std::int32_t screenPixel(int x, int y) = 0;
    virtual Size screenSize() = 0;
    // Desktop's double-click interval and tooltip delay, in ms.
    virtual int doubleClickTime() { return 500; }
    virtual int tooltipDelay() { return 500; }

    // --- loop and time ---------------------------------------------------
    // Called by the loop (and by doEvents) after it has dispatched what was
    // pending, before it waits again; the forms runtime paints from it.
    virtual void setIdleHook(std::function<void()> hook) = 0;
    virtual TimerId startTimer(std::uint32_t intervalMs, std::function<void()> tick) = 0;
    virtual void stopTimer(TimerId id) = 0;
    // Runs until quit(); returns the exit code.
    virtual int runLoop() = 0;
    virtual void quit(int exitCode) = 0;
    virtual bool quitting() const = 0;
    // "Let pending events run".
    virtual void doEvents() = 0;
    // Blocks the thread; no event runs meanwhile.
    virtual void sleep(std::uint32_t ms) = 0;
    virtual SystemTime localTime() = 0;
    virtual SystemTime systemTime() = 0;  // UTC
    virtual std::int64_t perfCounter() = 0;
    virtual std::int64_t perfFrequency() = 0;  // 0 = no high-resolution counter
    // The processor's time-stamp counter, which counts at its rated clock on
    // current processors; 0 where the processor has none.
    virtual std::uint64_t timeStampCounter() = 0;
    virtual std::uint64_t tickMs() = 0;        // monotonic milliseconds

    // --- dialogs -----------------------------------------------------------
    virtual int messageBox(const std::string& text, const std::string& title, int style) = 0;

    // --- process and system ----------------------------------------------
    virtual Registry& registry() = 0;
    virtual Sources& sources() = 0;
    virtual Files& files() = 0;
    // GETs metrics endpoints; blocking, for a worker thread (see HttpClient).
    virtual HttpClient& http() = 0;
    // Another machine's figures in place of this one's (null: this one's
    // again). The caller keeps them alive for as long as they are in use.
    void replaceSources(Sources* other) { replacement_ = other; }
    // ShellExecuteA(NULL, NULL, file, params, NULL, showCmd); returns > 32 on success.
    virtual long shellExecute(const std::string& file, const std::string& params, int showCmd) = 0;
    // True when this is the only running instance (and now holds the claim).
    virtual bool claimSingleInstance(const std::string& name) = 0;
    // The folder the program was started from, as the system reports it.
    virtual std::string programFolder() = 0;
    // Where an installed copy keeps its skins, for skin files the program
    // folder's skins/ lacks; "" when there is no such copy.
    virtual std::string installedSkinsFolder() { return {}; }
    virtual char pathSeparator() const = 0;
    // File name with the program folder's separators turned native.
    virtual std::string nativePath(const std::string& path) const = 0;
    virtual VersionInfo version() const { return {}; }
    // The date names of the user's locale; nullopt where the system cannot
    // tell (the program then writes English names).
    virtual std::optional<LocaleDateNames> localeDateNames() { return std::nullopt; }
    // The system's fonts, where the backend draws text with them; null otherwise.
    virtual SystemText* systemText() { return nullptr; }
    // A colour of the desktop's scheme by its Windows COLOR_ number
    // (15 3D face, 16 shadow, 20 highlight...); nullopt where the system
    // has no scheme (our dialogs then use the classic colours).
    virtual std::optional<Colour> systemColour(int /*index*/) { return std::nullopt; }
    // Start-with-the-desktop entry for the program: on Windows the Run value
    // does it; elsewhere the backend mirrors it (e.g. an XDG autostart file).
    virtual void mirrorAutostart(bool /*enabled*/, const std::string& /*command*/) {}

    // The system is ending the session or asks the program to stop
    // (WM_ENDSESSION, SIGTERM, SIGINT). The handler ends the program in
    // order; it runs once, from the loop, also inside a system move loop.
    // Without a handler the loop just quits with 0.
    void setSessionEndHandler(std::function<void()> handler) { sessionEndHandler_ = std::move(handler); }

protected:
    Sources* replacementSources() const { return replacement_; }
    void endSession() {
        if (sessionEnded_) return;
        sessionEnded_ = true;
        if (sessionEndHandler_)
            sessionEndHandler_();
        else
            quit(0);
    }

private:
    std::function<void()> sessionEndHandler_;
    bool sessionEnded_ = false;
    Sources* replacement_ = nullptr;
};

}  // namespace vel::platform
