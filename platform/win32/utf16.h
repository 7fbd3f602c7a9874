// The program's text is UTF-8; Windows takes it as UTF-16 through the W
// functions, never through the ANSI ones, whose code page may be anything.
#pragma once

#include <string>
#include <string_view>

namespace vel::platform::win32 {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);
// Text an ANSI function gave back, in the system's ANSI code page.
std::string fromAnsi(std::string_view ansi);

}  // namespace vel::platform::win32
