// A started program whose log timer the test steps, with the logs folder
// read back line by line.
#pragma once

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "engine_rig.h"
#include "support/files.h"

namespace vel::test {

class LogRig : public EngineRig {
public:
    explicit LogRig(int processors = 2) : EngineRig(processors) {}

    LogWriter& log() { return engine().log; }
    std::filesystem::path logs() const { return m.folder / "logs"; }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) engine().tmrLOG_Timer();
    }
    // The names in logs/, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(logs(), ec))
            out.push_back(e.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    // The lines of logs/NAME without their CR LF; a line that does not end
    // in CR LF comes back with "<no CR LF>" after it.
    std::vector<std::string> lines(const std::string& name) const {
        std::vector<std::string> out;
        std::istringstream in(readFile(logs() / name));
        for (std::string l; std::getline(in, l);) {
            const bool crlf = !in.eof() && !l.empty() && l.back() == '\r';
            out.push_back(crlf ? l.substr(0, l.size() - 1) : l + "<no CR LF>");
        }
        return out;
    }
    // "T, F, value" of each line: what follows the date and time.
    std::vector<std::string> values(const std::string& name) const {
        std::vector<std::string> out;
        for (const std::string& l : lines(name)) out.push_back(l.size() > 25 ? l.substr(25) : l);
        return out;
    }
    void setClock(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        m.sim.setClock(platform::SystemTime{y, mo, 0, d, h, mi, s, ms});
    }
};

}  // namespace vel::test
