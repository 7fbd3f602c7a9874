// Text with the system's own fonts: GDI draws a line white on black into a
// private bitmap, and its grey levels blend the text colour into the form's
// pixels. Faces are made once per face, size and weight and kept.
#pragma once

#include "platform/win32/windows_api.h"

#include <map>
#include <string>
#include <tuple>

#include "platform/platform.h"

namespace vel::platform::win32 {

class GdiText : public SystemText {
public:
    GdiText();
    ~GdiText() override;
    GdiText(const GdiText&) = delete;
    GdiText& operator=(const GdiText&) = delete;

    bool measure(const std::string& face, double sizePt, bool bold, std::string_view text, int& width) override;
    bool draw(Pixels& target, int x, int y, std::string_view text, const std::string& face, double sizePt, bool bold,
              Colour colour, int clipLeft, int clipTop, int clipRight, int clipBottom) override;
    bool ascent(const std::string& face, double sizePt, bool bold, int& ascent) override;
    bool inkBox(const std::string& face, double sizePt, bool bold, std::string_view text, int& left, int& top,
                int& right, int& bottom) override;

private:
    HFONT fontFor(const std::string& face, double sizePt, bool bold);
    // Makes the face current in the drawing context; false when it cannot be made.
    bool selectFont(const std::string& face, double sizePt, bool bold);
    bool ensureCanvas(int width, int height);
    // Draws the line white on black at the canvas's top-left; its size.
    bool render(std::string_view text, const std::string& face, double sizePt, bool bold, int& width, int& height);
    // How much of the text's colour the canvas pixel takes.
    int coverage(int x, int y) const;
    const std::wstring& wide(std::string_view text);

    HDC dc_ = nullptr;
    HBITMAP canvas_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    std::uint32_t* canvasBits_ = nullptr;
    int canvasWidth_ = 0, canvasHeight_ = 0;
    std::map<std::tuple<std::string, int, bool>, HFONT> fonts_;
    std::wstring wideText_;
};

}  // namespace vel::platform::win32
