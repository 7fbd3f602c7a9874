// Start-up, screen, time, and the process services.
#include "platform/linux/x11_platform.h"
#include "platform/linux/linux_sources.h"
#include "platform/linux/locale_names.h"
#include "platform/linux/process_services.h"
#include "platform/linux/program_folder.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "platform/linux/x11_atoms.h"

namespace vel::platform {

std::unique_ptr<Platform> createNativePlatform(const NativeOptions& options, std::string& error) {
    const char* name = options.display.empty() ? nullptr : options.display.c_str();
    Display* dpy = XOpenDisplay(name);
    if (!dpy) {
        error = std::string("cannot open display ") + XDisplayName(name);
        return nullptr;
    }
    int shapeEvent = 0, shapeError = 0;
    if (!XShapeQueryExtension(dpy, &shapeEvent, &shapeError)) {
        error = "the X server has no SHAPE extension";
        XCloseDisplay(dpy);
        return nullptr;
    }
    XVisualInfo info{};
    if (!XMatchVisualInfo(dpy, DefaultScreen(dpy), 24, TrueColor, &info)) {
        error = "the X server offers no 24-bit TrueColor visual";
        XCloseDisplay(dpy);
        return nullptr;
    }
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    linux_backend::FolderChoice folder = linux_backend::chooseProgramFolder(
        options.programFolder, linux_backend::executableFolder(), xdg ? xdg : "", home ? home : "");
    for (const std::string& note : folder.notes) std::cerr << "velmora: " << note << "\n";
    if (!folder.error.empty()) {
        error = folder.error;
        XCloseDisplay(dpy);
        return nullptr;
    }
    return std::make_unique<linux_backend::X11Platform>(dpy, options, folder.folder, folder.installedSkins);
}

namespace linux_backend {

namespace {
// Xlib's default handler ends the process; a vanished window or an
// unreadable pixel is not worth that.
int lastXError = 0;
int quietErrorHandler(Display*, XErrorEvent* e) {
    lastXError = e->error_code;
    return 0;
}

Atom intern(Display* d, const char* name) { return XInternAtom(d, name, False); }

// How late a tick may run to share a wake-up with another timer's;
// VELMORA_TIMER_SLACK_MS=0 gives every timer its own (for measurements).
std::uint32_t timerSlackMs() {
    constexpr std::uint32_t kDefault = 10, kMost = 50;
    const char* text = std::getenv("VELMORA_TIMER_SLACK_MS");
    if (!text || !*text) return kDefault;
    char* end = nullptr;
    const unsigned long ms = std::strtoul(text, &end, 10);
    return *end ? kDefault : static_cast<std::uint32_t>(std::min<unsigned long>(ms, kMost));
}
}  // namespace

X11Platform::Atoms::Atoms(Display* d, int screen)
    : wmProtocols(intern(d, "WM_PROTOCOLS")), wmDeleteWindow(intern(d, "WM_DELETE_WINDOW")),
      motifHints(intern(d, "_MOTIF_WM_HINTS")), netWmName(intern(d, "_NET_WM_NAME")),
      utf8String(intern(d, "UTF8_STRING")), netWmPid(intern(d, "_NET_WM_PID")),
      netWmState(intern(d, "_NET_WM_STATE")), netWmStateAbove(intern(d, "_NET_WM_STATE_ABOVE")),
      netWmStateSkipTaskbar(intern(d, "_NET_WM_STATE_SKIP_TASKBAR")),
      netWmStateSkipPager(intern(d, "_NET_WM_STATE_SKIP_PAGER")),
      netWmWindowType(intern(d, "_NET_WM_WINDOW_TYPE")),
      typeUtility(intern(d, "_NET_WM_WINDOW_TYPE_UTILITY")),
      typeNormal(intern(d, "_NET_WM_WINDOW_TYPE_NORMAL")),
      typeTooltip(intern(d, "_NET_WM_WINDOW_TYPE_TOOLTIP")),
      typeDialog(intern(d, "_NET_WM_WINDOW_TYPE_DIALOG")),
      netWmWindowOpacity(intern(d, "_NET_WM_WINDOW_OPACITY")), netWmUserTime(intern(d, "_NET_WM_USER_TIME")),
      netWmMoveResize(intern(d, "_NET_WM_MOVERESIZE")), netSupported(intern(d, "_NET_SUPPORTED")),
      netSupportingWmCheck(intern(d, "_NET_SUPPORTING_WM_CHECK")),
      netActiveWindow(intern(d, "_NET_ACTIVE_WINDOW")),
      compositorSelection(intern(d, ("_NET_WM_CM_S" + std::to_string(screen)).c_str())),
      xsettingsSelection(intern(d, ("_XSETTINGS_S" + std::to_string(screen)).c_str())),
      xsettingsSettings(intern(d, "_XSETTINGS_SETTINGS")), wmWindowRole(intern(d, "WM_WINDOW_ROLE")) {}

X11Platform::X11Platform(Display* display, const NativeOptions& options, std::string programFolder,
                         std::string installedSkins)
    : dpy_(display),
      scale_(options.scale > 0 ? options.scale
                               : x11DesktopScale(XResourceManagerString(display) ? XResourceManagerString(display) : "",
                                                 std::getenv("GDK_SCALE"))),
      screen_(DefaultScreen(display)), root_(RootWindow(display, DefaultScreen(display))) {
    XSetErrorHandler(quietErrorHandler);
    // Programs we start must not hold our display connection.
    fcntl(ConnectionNumber(dpy_), F_SETFD, FD_CLOEXEC);
    atoms_ = std::make_unique<Atoms>(dpy_, screen_);
    XVisualInfo info{};
    XMatchVisualInfo(dpy_, screen_, 24, TrueColor, &info);
    visual_ = info.visual;
    depth_ = info.depth;
    colormap_ = info.visual == DefaultVisual(dpy_, screen_) ? DefaultColormap(dpy_, screen_)
                                                            : XCreateColormap(dpy_, root_, info.visual, AllocNone);
    format_ = std::make_unique<PixelFormat>(static_cast<std::uint32_t>(info.red_mask),
                                            static_cast<std::uint32_t>(info.green_mask),
                                            static_cast<std::uint32_t>(info.blue_mask));
    readDesktopSettings();
    shmOffered_ = shmWanted(dpy_);
    timers_.setSlack(timerSlackMs());

    explicitFolder_ = options.programFolder;
    programFolder_ = std::move(programFolder);
    installedSkins_ = std::move(installedSkins);
    registry_ = std::make_unique<FileRegistry>(configHome() + "/velmora/registry");
    registry_->synthesizeProcessors(ratedProcessorMhz());
}

X11Platform::~X11Platform() {
    while (!windows_.empty()) destroyWindow(windows_.begin()->first);
    if (gc_) XFreeGC(dpy_, gc_);
    if (colormap_ && colormap_ != DefaultColormap(dpy_, screen_)) XFreeColormap(dpy_, colormap_);
    XCloseDisplay(dpy_);
}

Sources& X11Platform::sources() {
    if (Sources* other = replacementSources()) return *other;
    if (!sources_)
        // The monitor's own resolution, whatever the scale.
        sources_ = createLinuxSources("/proc", "/sys", [this] {
            const Size s = deviceScreenSize();
            return std::make_pair(s.width, s.height);
        });
    return *sources_;
}

Point X11Platform::devicePointer() const {
    Window rootReturn = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(dpy_, root_, &rootReturn, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

namespace {

// RandR's primary monitor (1.5), else the primary output's CRTC (1.3).
std::optional<Size> randrPrimary(Display* d, Window root) {
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(d, &event, &error) || !XRRQueryVersion(d, &major, &minor)) return std::nullopt;
    if (major > 1 || minor >= 5) {
        int count = 0;
        XRRMonitorInfo* monitors = XRRGetMonitors(d, root, True, &count);
        std::optional<Size> found;
        for (int i = 0; i < count && !found; ++i)
            if (monitors[i].primary && monitors[i].width > 0 && monitors[i].height > 0)
                found = Size{monitors[i].width, monitors[i].height};
        if (monitors) XRRFreeMonitors(monitors);
        if (found) return found;
    }
    if (major < 1 || (major == 1 && minor < 3)) return std::nullopt;
    const RROutput primary = XRRGetOutputPrimary(d, root);
    if (!primary) return std::nullopt;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(d, root);
    if (!resources) return std::nullopt;
    std::optional<Size> found;
    if (XRROutputInfo* output = XRRGetOutputInfo(d, resources, primary)) {
        if (output->crtc)
            if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(d, resources, output->crtc)) {
                if (crtc->width > 0 && crtc->height > 0)
                    found = Size{static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
                XRRFreeCrtcInfo(crtc);
            }
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return found;
}

std::optional<Size> firstXineramaScreen(Display* d) {
    int event = 0, error = 0, count = 0;
    if (!XineramaQueryExtension(d, &event, &error) || !XineramaIsActive(d)) return std::nullopt;
    XineramaScreenInfo* screens = XineramaQueryScreens(d, &count);
    std::optional<Size> found;
    if (screens && count > 0 && screens[0].width > 0 && screens[0].height > 0)
        found = Size{screens[0].width, screens[0].height};
    if (screens) XFree(screens);
    return found;
}

}  // namespace

// The primary monitor's size, as SM_CXSCREEN and SM_CYSCREEN give it.
Size X11Platform::deviceScreenSize() {
    if (auto s = randrPrimary(dpy_, root_)) return *s;
    if (auto s = firstXineramaScreen(dpy_)) return *s;
    return {DisplayWidth(dpy_, screen_), DisplayHeight(dpy_, screen_)};
}

Size X11Platform::screenSize() { return scale_.toLogical(deviceScreenSize()); }

std::uint64_t X11Platform::tickMs() { return static_cast<std::uint64_t>(monotonicNs() / 1'000'000); }

namespace {
SystemTime fromTm(const tm& t, long nanoseconds) {
    SystemTime s;
    s.year = t.tm_year + 1900;
    s.month = t.tm_mon + 1;
    s.dayOfWeek = t.tm_wday;
    s.day = t.tm_mday;
    s.hour = t.tm_hour;
    s.minute = t.tm_min;
    s.second = t.tm_sec;
    s.milliseconds = static_cast<int>(nanoseconds / 1'000'000);
    return s;
}
}  // namespace

SystemTime X11Platform::localTime() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm t{};
    localtime_r(&ts.tv_sec, &t);
    return fromTm(t, ts.tv_nsec);
}

std::optional<LocaleDateNames> X11Platform::localeDateNames() { return linux_backend::dateNamesOfLocale(""); }

SystemTime X11Platform::systemTime() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm t{};
    gmtime_r(&ts.tv_sec, &t);
    return fromTm(t, ts.tv_nsec);
}

void X11Platform::sleep(std::uint32_t ms) {
    XFlush(dpy_);  // what was drawn before the pause shows during it
    timespec rest{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

long X11Platform::shellExecute(const std::string& file, const std::string& params, int /*showCmd*/) {
    const std::string named = nativePath(file);
    const std::string program = nativeProgram(named, executableFolder());
    // A sibling tool found in bin/ rather than the program folder still
    // works in this program's folder.
    std::vector<std::string> environment;
    if (program != named) environment.push_back(std::string(kProgramFolderVariable) + "=" + programFolder_);
    int pid = spawnProgram(program, splitParameters(params), environment);
    if (pid <= 0) return kErrorFileNotFound;
    children_.push_back(pid);
    return 42;
}

HttpClient& X11Platform::http() {
    if (!http_) http_ = createCurlClient();
    return *http_;
}

bool X11Platform::claimSingleInstance(const std::string& name) {
    return instance_.claim(SingleInstanceLock::defaultFolder(), name);
}

std::string X11Platform::nativePath(const std::string& path) const { return toSlashes(path); }

void X11Platform::mirrorAutostart(bool enabled, const std::string& /*command*/) {
    // The Windows command line means nothing here; start this executable.
    const std::string path = configHome() + "/autostart/velmora.desktop";
    if (enabled)
        writeFileAtomically(path, autostartEntry(executablePath(), explicitFolder_));
    else
        std::filesystem::remove(path);
}

void X11Platform::readDesktopSettings() {
    XGrabServer(dpy_);  // the owner must not change between the two requests
    Window owner = XGetSelectionOwner(dpy_, atoms_->xsettingsSelection);
    std::vector<unsigned char> data;
    if (owner != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* bytes = nullptr;
        if (XGetWindowProperty(dpy_, owner, atoms_->xsettingsSettings, 0, 65536, False,
                               atoms_->xsettingsSettings, &type, &format, &count, &after, &bytes) == Success &&
            bytes) {
            if (format == 8) data.assign(bytes, bytes + count);
            XFree(bytes);
        }
    }
    XUngrabServer(dpy_);
    XFlush(dpy_);  // other clients wait until the server hears it
    if (auto ms = xsettingsInteger(data, "Net/DoubleClickTime"); ms && *ms > 0 && *ms < 5000)
        clicks_.setInterval(*ms);
    if (auto px = xsettingsInteger(data, "Net/DoubleClickDistance"); px && *px >= 0 && *px < 100)
        clicks_.setDistance(*px);
    if (auto px = xsettingsInteger(data, "Net/DndDragThreshold"); px && *px > 0 && *px < 200) dragThreshold_ = *px;
}

}  // namespace linux_backend
}  // namespace vel::platform
