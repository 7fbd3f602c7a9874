#include "logscope/export.h"

#include <algorithm>
#include <cstdio>

#include "logscope/readout.h"

namespace vel::logscope {

std::string csvOf(const std::vector<const Series*>& shown, TimeSpan span) {
    std::string out = "time";
    for (const Series* s : shown) out += std::string(",") + s->info->name;
    out += "\r\n";
    // A cursor per series; each row takes the earliest time any of them is at.
    std::vector<std::size_t> at, end;
    for (const Series* s : shown) {
        at.push_back(static_cast<std::size_t>(std::lower_bound(s->time.begin(), s->time.end(), span.from) -
                                              s->time.begin()));
        end.push_back(static_cast<std::size_t>(std::lower_bound(s->time.begin(), s->time.end(), span.to) -
                                               s->time.begin()));
    }
    char text[48];
    for (;;) {
        bool any = false;
        std::int64_t t = 0;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (at[i] < end[i] && (!any || shown[i]->time[at[i]] < t)) {
                t = shown[i]->time[at[i]];
                any = true;
            }
        if (!any) break;
        std::snprintf(text, sizeof text, ".%03d", stampOf(t).ms);
        out += stampText(t) + text;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            out += ',';
            if (at[i] < end[i] && shown[i]->time[at[i]] == t) {
                std::snprintf(text, sizeof text, "%.10g", shown[i]->value[at[i]++]);
                out += text;
            }
        }
        out += "\r\n";
    }
    return out;
}

std::string exportName(const std::string& family, TimeSpan span, const std::string& extension) {
    const Stamp s = stampOf(span.from);
    char text[40];
    std::snprintf(text, sizeof text, "-%04d-%02d-%02d-%02d%02d.", s.year, s.month, s.day, s.hour, s.minute);
    std::string word = family;
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return "logscope-" + word + text + extension;
}

Exported writeExport(platform::Files& files, char separator, const std::vector<std::string>& folders,
                     const std::string& name, const std::string& bytes) {
    if (bytes.empty()) return {false, {}, "Nothing to write for " + name};
    std::string tried;
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        const bool ends = folder.back() == '/' || folder.back() == separator;
        const std::string path = folder + (ends ? "" : std::string(1, separator)) + name;
        if (files.replaceFile(path, bytes)) return {true, path, "Wrote " + path};
        tried += (tried.empty() ? "" : " or ") + folder;
    }
    return {false, {}, "Cannot write " + name + (tried.empty() ? std::string() : " in " + tried)};
}

}  // namespace vel::logscope
