// A window's picture on the server's side of the wire: an XImage in a
// shared-memory segment (MIT-SHM) where the server offers one, else in our
// own memory sent with XPutImage.
#include "platform/linux/x11_platform.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vel::platform::linux_backend {

namespace {
// A change this small costs less copied through the socket than a later
// wait for the server to have read the shared segment.
constexpr long kSharedPutMinPixels = 64 * 64;

bool attachFailed = false;
int onAttachError(Display*, XErrorEvent*) {
    attachFailed = true;
    return 0;
}

bool hostIsLsbFirst() {
    const std::uint32_t probe = 1;
    return *reinterpret_cast<const unsigned char*>(&probe) == 1;
}
}  // namespace

bool X11Platform::shmWanted(_XDisplay* dpy) {
    // VELMORA_NO_SHM=1 sends every picture through the socket (for tests and measurements).
    const char* off = std::getenv("VELMORA_NO_SHM");
    if (off && *off && std::strcmp(off, "0") != 0) return false;
    return XShmQueryExtension(dpy) == True;
}

bool X11Platform::allocateImage(X11Window& w, int width, int height) {
    releaseImage(w);
    if (shmOffered_ && allocateSharedImage(w, width, height)) return true;
    w.buffer.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    w.image = XCreateImage(dpy_, static_cast<Visual*>(visual_), static_cast<unsigned>(depth_), ZPixmap, 0,
                           reinterpret_cast<char*>(w.buffer.data()), static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 32, width * 4);
    if (!w.image) {
        w.buffer.clear();
        return false;
    }
    // Our buffer is in this machine's byte order; Xlib swaps if the server differs.
    w.image->byte_order = hostIsLsbFirst() ? LSBFirst : MSBFirst;
    w.pixels = w.buffer.data();
    return true;
}

bool X11Platform::allocateSharedImage(X11Window& w, int width, int height) {
    auto* info = new XShmSegmentInfo{};
    XImage* image = XShmCreateImage(dpy_, static_cast<Visual*>(visual_), static_cast<unsigned>(depth_), ZPixmap,
                                    nullptr, info, static_cast<unsigned>(width), static_cast<unsigned>(height));
    // The server reads the segment as it is: it must be laid out like our buffer.
    if (!image || image->bits_per_pixel != 32 || image->bytes_per_line != width * 4 ||
        image->byte_order != (hostIsLsbFirst() ? LSBFirst : MSBFirst)) {
        if (image) XDestroyImage(image);
        delete info;
        return false;
    }
    const std::size_t bytes = static_cast<std::size_t>(image->bytes_per_line) * static_cast<std::size_t>(height);
    info->shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    void* at = info->shmid >= 0 ? shmat(info->shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
    if (at == reinterpret_cast<void*>(-1)) {
        if (info->shmid >= 0) shmctl(info->shmid, IPC_RMID, nullptr);
        XDestroyImage(image);
        delete info;
        return false;
    }
    info->shmaddr = image->data = static_cast<char*>(at);
    info->readOnly = True;
    // A server on another machine, or one that may not reach our memory,
    // refuses the attach with an error: catch it and stop trying.
    attachFailed = false;
    XSync(dpy_, False);
    auto previous = XSetErrorHandler(onAttachError);
    const bool attached = XShmAttach(dpy_, info) == True;
    XSync(dpy_, False);
    XSetErrorHandler(previous);
    // Marked for removal now, the segment goes when both sides have let go,
    // however the program ends: none is ever left behind.
    shmctl(info->shmid, IPC_RMID, nullptr);
    if (!attached || attachFailed) {
        shmOffered_ = false;
        shmdt(at);
        image->data = nullptr;
        XDestroyImage(image);
        delete info;
        return false;
    }
    std::memset(at, 0, bytes);
    w.image = image;  // keeps info as its obdata, freed in releaseImage
    w.pixels = reinterpret_cast<std::uint32_t*>(at);
    w.shmId = info->shmid;
    w.shmReadBy = 0;
    return true;
}

void X11Platform::releaseImage(X11Window& w) {
    if (!w.image) return;
    if (w.shmId >= 0) {
        auto* info = reinterpret_cast<XShmSegmentInfo*>(w.image->obdata);
        XShmDetach(dpy_, info);
        // The server detaches when it reaches the request; ours can go now,
        // the segment itself lasts until the server has let go too.
        shmdt(info->shmaddr);
        delete info;
        w.shmId = -1;
    }
    w.image->data = nullptr;  // the pixels are not Xlib's to free
    w.image->obdata = nullptr;
    XDestroyImage(w.image);
    w.image = nullptr;
    w.pixels = nullptr;
    w.buffer.clear();
    w.buffer.shrink_to_fit();
}

void X11Platform::awaitImageRead(X11Window& w) {
    // Any reply, event or error since the put says how far the server got;
    // only without one is a round trip needed.
    if (w.shmId < 0 || w.shmReadBy == 0) return;
    if (LastKnownRequestProcessed(dpy_) < w.shmReadBy) XSync(dpy_, False);
    w.shmReadBy = 0;
}

void X11Platform::putImage(X11Window& w, int x, int y, int width, int height) {
    if (!w.image) return;
    x = std::max(0, x);
    y = std::max(0, y);
    width = std::min(width, w.image->width - x);
    height = std::min(height, w.image->height - y);
    if (width <= 0 || height <= 0) return;
    const auto uw = static_cast<unsigned>(width), uh = static_cast<unsigned>(height);
    if (w.shmId >= 0 && static_cast<long>(width) * height >= kSharedPutMinPixels) {
        w.shmReadBy = NextRequest(dpy_);
        XShmPutImage(dpy_, w.xid, gc_, w.image, x, y, x, y, uw, uh, False);
    } else {
        // XPutImage copies the pixels before it returns, shared or not.
        XPutImage(dpy_, w.xid, gc_, w.image, x, y, x, y, uw, uh);
    }
}

}  // namespace vel::platform::linux_backend
