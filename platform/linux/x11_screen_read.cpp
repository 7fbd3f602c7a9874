// Reading the screen for the mouse module: where the pointer is and the
// colour under it. Each read is a round trip to the server, and the module
// asks for both four times a second; while the pointer rests, one round
// trip answers both.
#include "platform/linux/x11_platform.h"
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace vel::platform::linux_backend {

namespace {
// The pixel asked for with the pointer serves a question of the same moment only.
constexpr std::uint64_t kSameMomentMs = 5;
}  // namespace

std::int32_t X11Platform::rootColour(void* image) const {
    // The root uses the default visual, which may not be ours.
    const unsigned long native = XGetPixel(static_cast<XImage*>(image), 0, 0);
    Visual* v = DefaultVisual(dpy_, screen_);
    PixelFormat rootFormat(static_cast<std::uint32_t>(v->red_mask), static_cast<std::uint32_t>(v->green_mask),
                           static_cast<std::uint32_t>(v->blue_mask));
    return static_cast<std::int32_t>(rootFormat.toColour(static_cast<std::uint32_t>(native)));
}

Point X11Platform::cursorPos() {
    xcb_connection_t* c = XGetXCBConnection(dpy_);
    const auto root = static_cast<xcb_window_t>(root_);
    const xcb_query_pointer_cookie_t pointerAsked = xcb_query_pointer(c, root);
    const Point guess = lastPointer_;
    const bool askPixel = pointerKnown_ && guess.x >= 0 && guess.y >= 0 &&
                          guess.x < DisplayWidth(dpy_, screen_) && guess.y < DisplayHeight(dpy_, screen_);
    xcb_get_image_cookie_t pixelAsked{};
    if (askPixel)
        pixelAsked = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<std::int16_t>(guess.x),
                                   static_cast<std::int16_t>(guess.y), 1, 1, ~0u);
    xcb_generic_error_t* error = nullptr;
    xcb_query_pointer_reply_t* pointer = xcb_query_pointer_reply(c, pointerAsked, &error);
    std::free(error);
    pixelAhead_.valid = false;
    if (askPixel) {
        error = nullptr;
        xcb_get_image_reply_t* pixel = xcb_get_image_reply(c, pixelAsked, &error);
        std::free(error);
        if (pixel) {
            // Decoded as XGetImage would: the display's pixmap format for that depth.
            XImage* image = XCreateImage(dpy_, DefaultVisual(dpy_, screen_), pixel->depth, ZPixmap, 0,
                                         reinterpret_cast<char*>(xcb_get_image_data(pixel)), 1, 1, 32, 0);
            if (image && xcb_get_image_data_length(pixel) * 8 >= image->bits_per_pixel) {
                pixelAhead_ = {true, guess, tickMs(), rootColour(image)};
            }
            if (image) {
                image->data = nullptr;  // xcb's memory
                XDestroyImage(image);
            }
            std::free(pixel);
        }
    }
    pointerKnown_ = pointer != nullptr;
    if (pointer) lastPointer_ = {pointer->root_x, pointer->root_y};
    std::free(pointer);
    return scale_.toLogical(lastPointer_);
}

std::int32_t X11Platform::screenPixel(int logicalX, int logicalY) {
    // Any monitor's pixel: the whole root window.
    const int x = scale_.toDevice(logicalX), y = scale_.toDevice(logicalY);
    const Size s{DisplayWidth(dpy_, screen_), DisplayHeight(dpy_, screen_)};
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return -1;
    if (pixelAhead_.valid && pixelAhead_.at.x == x && pixelAhead_.at.y == y &&
        tickMs() - pixelAhead_.readMs <= kSameMomentMs) {
        pixelAhead_.valid = false;
        return pixelAhead_.colour;
    }
    XImage* img = XGetImage(dpy_, root_, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img) return -1;
    const std::int32_t colour = rootColour(img);
    XDestroyImage(img);
    return colour;
}

}  // namespace vel::platform::linux_backend
