#include "platform/common/memory_registry.h"

#include <cstdio>
#include <sstream>

namespace vel::platform {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string registryKeyPath(RegRoot root, const std::string& subKey) {
    char head[16];
    std::snprintf(head, sizeof head, "%08X", static_cast<unsigned>(root));
    std::string path = head;
    std::string part;
    for (char c : subKey + "\\") {
        if (c == '\\') {
            if (!part.empty()) path += "\\" + lowerAscii(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return path;
}

long MemoryRegistry::openKey(RegRoot root, const std::string& subKey, Key& out) {
    out = 0;
    auto path = registryKeyPath(root, subKey);
    if (!keys_.count(path) && path.size() > 8) return kErrorFileNotFound;
    out = nextHandle_++;
    open_[out] = path;
    return kErrorSuccess;
}

long MemoryRegistry::createKey(RegRoot root, const std::string& subKey, Key& out) {
    out = 0;
    auto path = registryKeyPath(root, subKey);
    if (!keys_.count(path)) {
        if (readOnly_[static_cast<std::uint32_t>(root)]) return kErrorAccessDenied;
        // Every parent exists once a child does.
        std::string display = path.substr(0, 8);
        std::string lowerSoFar = display;
        std::istringstream parts(subKey);
        std::string part;
        while (std::getline(parts, part, '\\')) {
            if (part.empty()) continue;
            display += "\\" + part;
            lowerSoFar += "\\" + lowerAscii(part);
            if (!keys_.count(lowerSoFar)) keys_[lowerSoFar].displayPath = display;
        }
        if (changed_) changed_();
    }
    out = nextHandle_++;
    open_[out] = path;
    return kErrorSuccess;
}

long MemoryRegistry::closeKey(Key key) {
    return open_.erase(key) ? kErrorSuccess : 6;  // ERROR_INVALID_HANDLE
}

long MemoryRegistry::queryValue(Key key, const std::string& name, RegValue& out) {
    auto h = open_.find(key);
    if (h == open_.end()) return 6;
    auto k = keys_.find(h->second);
    if (k == keys_.end()) return kErrorFileNotFound;
    auto v = k->second.values.find(lowerAscii(name));
    if (v == k->second.values.end()) return kErrorFileNotFound;
    out = v->second.second;
    return kErrorSuccess;
}

long MemoryRegistry::setValue(Key key, const std::string& name, const RegValue& value) {
    auto h = open_.find(key);
    if (h == open_.end()) return 6;
    std::uint32_t root = static_cast<std::uint32_t>(std::stoul(h->second.substr(0, 8), nullptr, 16));
    if (readOnly_[root]) return kErrorAccessDenied;
    auto& data = keys_[h->second];
    data.values[lowerAscii(name)] = {name, value};
    if (changed_) changed_();
    return kErrorSuccess;
}

long MemoryRegistry::deleteValue(Key key, const std::string& name) {
    auto h = open_.find(key);
    if (h == open_.end()) return 6;
    auto k = keys_.find(h->second);
    if (k == keys_.end() || !k->second.values.erase(lowerAscii(name))) return kErrorFileNotFound;
    if (changed_) changed_();
    return kErrorSuccess;
}

bool MemoryRegistry::hasKey(RegRoot root, const std::string& subKey) const {
    return keys_.count(registryKeyPath(root, subKey)) > 0;
}

bool MemoryRegistry::readValue(RegRoot root, const std::string& subKey, const std::string& name,
                               RegValue& out) const {
    auto k = keys_.find(registryKeyPath(root, subKey));
    if (k == keys_.end()) return false;
    auto v = k->second.values.find(lowerAscii(name));
    if (v == k->second.values.end()) return false;
    out = v->second.second;
    return true;
}

void MemoryRegistry::writeValue(RegRoot root, const std::string& subKey, const std::string& name,
                                const RegValue& value) {
    bool wasReadOnly = readOnly_[static_cast<std::uint32_t>(root)];
    readOnly_[static_cast<std::uint32_t>(root)] = false;
    Key k = 0;
    createKey(root, subKey, k);
    setValue(k, name, value);
    closeKey(k);
    readOnly_[static_cast<std::uint32_t>(root)] = wasReadOnly;
}

void MemoryRegistry::removeKey(RegRoot root, const std::string& subKey) {
    auto path = registryKeyPath(root, subKey);
    for (auto it = keys_.begin(); it != keys_.end();) {
        if (it->first == path || it->first.rfind(path + "\\", 0) == 0)
            it = keys_.erase(it);
        else
            ++it;
    }
    if (changed_) changed_();
}

void MemoryRegistry::setReadOnlyRoot(RegRoot root, bool readOnly) {
    readOnly_[static_cast<std::uint32_t>(root)] = readOnly;
}

RegValue MemoryRegistry::stringValue(const std::string& s) {
    RegValue v;
    v.type = kRegSz;
    v.data.assign(s.begin(), s.end());
    v.data.push_back(0);
    return v;
}

RegValue MemoryRegistry::dwordValue(std::uint32_t n) {
    RegValue v;
    v.type = kRegDword;
    for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    return v;
}

std::string MemoryRegistry::serialize() const {
    std::ostringstream out;
    static const char* hex = "0123456789abcdef";
    for (const auto& [path, data] : keys_) {
        out << "[" << data.displayPath << "]\n";
        for (const auto& [lower, named] : data.values) {
            (void)lower;
            out << named.first << "=" << named.second.type << ":";
            for (std::uint8_t b : named.second.data) out << hex[b >> 4] << hex[b & 15];
            out << "\n";
        }
    }
    return out.str();
}

void MemoryRegistry::deserialize(const std::string& text) {
    keys_.clear();
    std::istringstream in(text);
    std::string line, current;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    while (std::getline(in, line)) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            std::string display = line.substr(1, line.size() - 2);
            current = lowerAscii(display);
            keys_[current].displayPath = display;
            continue;
        }
        auto eq = line.rfind('=');
        if (current.empty() || eq == std::string::npos) continue;
        auto colon = line.find(':', eq);
        if (colon == std::string::npos) continue;
        RegValue v;
        try {
            v.type = static_cast<std::uint32_t>(std::stoul(line.substr(eq + 1, colon - eq - 1)));
        } catch (...) {
            continue;
        }
        bool ok = true;
        for (std::size_t i = colon + 1; i + 1 < line.size(); i += 2) {
            int hi = nibble(line[i]), lo = nibble(line[i + 1]);
            if (hi < 0 || lo < 0) { ok = false; break; }
            v.data.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
        }
        if (!ok) continue;
        std::string name = line.substr(0, eq);
        keys_[current].values[lowerAscii(name)] = {name, v};
    }
}

}  // namespace vel::platform
