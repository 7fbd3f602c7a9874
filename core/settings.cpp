#include "core/settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/app.h"
#include "core/default_settings.h"
#include "core/inifile.h"
#include "core/vb.h"

namespace vel {

namespace {

// Reads one key into a field; a value that does not convert keeps the field.
class SettingsReader {
public:
    // From the file, or from the shipped settings when `defaults`.
    SettingsReader(App& app, bool defaults) : app_(app), defaults_(defaults) {}
    std::string text(const std::string& key) const {
        if (defaults_) return iniLookup(kDefaultSettings, "MAIN", key);
        return ReadIni("MAIN", key, app_.os.nativePath(app_.iniPath));
    }
    void read(const std::string& key, bool& field) const {
        if (auto v = textToFlag(text(key))) field = *v;
    }
    void read(const std::string& key, std::int16_t& field) const {
        if (auto v = textToInt16(text(key))) field = *v;
    }
    void read(const std::string& key, std::int32_t& field) const {
        if (auto v = textToInt32(text(key))) field = *v;
    }
    void read(const std::string& key, std::uint8_t& field) const {
        if (auto v = textToByte(text(key))) field = *v;
    }

private:
    App& app_;
    bool defaults_;
};

// Too few processors: the module of a processor that is not there stays hidden.
bool processorMissing(int module, int processorCount) {
    switch (module) {
        case 1: return processorCount < 2;
        case 2: return processorCount < 3;
        case 3: return processorCount < 4;
        case 4: return processorCount < 2;
        default: return false;
    }
}

}  // namespace

SettingsOrigin LoadSettings(App& app) {
    app.setProgramFolder(app.os.programFolder());
    // Without any of its keys the program would show nothing at all (every
    // window hidden, the main bar at opacity 0): start as shipped instead.
    const std::string file = app.os.nativePath(app.iniPath);
    SettingsOrigin origin = SettingsOrigin::File;
    if (ReadIniSection("MAIN", file).empty())
        origin = AddIniDefaults(kDefaultSettings, "MAIN", file) ? SettingsOrigin::DefaultsWritten
                                                                : SettingsOrigin::DefaultsUnwritten;
    Settings& s = app.settings;
    SettingsReader in(app, origin != SettingsOrigin::File);

    in.read("PLCMNT", s.PLCMNT);
    in.read("ALWAYSOT", s.ALWAYSOT);
    in.read("VISIBLE", s.VISIBLE);
    in.read("CORNER", s.CORNER);
    in.read("TLUCENTZOn", s.TLUCENTZOn);
    in.read("TLUCENTZOff", s.TLUCENTZOff);
    in.read("CPUCLOCK", s.CPUCLOCK);
    in.read("NETCLOCK", s.NETCLOCK);
    in.read("MEMCLOCK", s.MEMCLOCK);

    in.read("Visi8", s.Visi[8]);
    in.read("PosX9", s.PosX[9]);
    in.read("PosY9", s.PosY[9]);

    for (int n = 0; n < 8; ++n) {
        const std::string i = std::to_string(n);
        in.read("Visi" + i, s.Visi[n]);
        if (processorMissing(n, app.processorCount)) s.Visi[n] = false;
        in.read("mTyp" + i, s.mTyp[n]);
        in.read("PosX" + i, s.PosX[n]);
        in.read("PosY" + i, s.PosY[n]);
    }

    in.read("PosX8", s.PosX[8]);
    in.read("PosY8", s.PosY[8]);

    app.showStatus("Verifying log file settings...");
    in.read("LOGEnable", s.LOGEnable);
    in.read("capCPU", s.capCPU);
    in.read("capNET", s.capNET);
    in.read("capMEM", s.capMEM);
    in.read("LOGTiming", s.LOGTiming);
    in.read("LOGWrite", s.LOGWrite);
    in.read("LOGUnsaved", s.LOGUnsaved);
    in.read("NEWLOG", s.NEWLOG);
    in.read("DELLOG", s.DELLOG);

    app.splashPause(500);
    in.read("SWWN", s.SWWN);
    app.splashPause(500);
    return origin;
}

std::string positionText(double twips) {
    const float f = static_cast<float>(twips);
    char buf[64];
    // Shortest fixed-point text that reads back as the same single-precision
    // value; never an exponent, since positions are plain twips.
    for (int decimals = 0; decimals <= 9; ++decimals) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(f));
        if (static_cast<float>(std::strtod(buf, nullptr)) == f) break;
    }
    return buf;
}

}  // namespace vel
