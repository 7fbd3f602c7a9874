#include "remote/remote_host.h"

#include <cstdlib>

#include "core/inifile.h"
#include "remote/remote_sources.h"
#include "remote/scrape_worker.h"

namespace vel::remote {

namespace {

constexpr std::size_t kMostCredentialBytes = 16 * 1024;

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool absolutePath(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() > 1 && path[1] == ':');
}

// The first line of a credentials file only its owner may read. The
// message names the file, never what it holds.
bool readSecret(platform::Platform& os, const std::string& programFolder, const std::string& name,
                std::string& secret, std::string& error) {
    const std::string path =
        os.nativePath(absolutePath(name) ? name : programFolder + os.pathSeparator() + name);
    const auto text = os.files().readFile(path, kMostCredentialBytes);
    if (!text) {
        error = "cannot read the credentials file " + path;
        return false;
    }
    if (os.files().readableByOthers(path)) {
        error = "the credentials file " + path + " can be read by other users; let only its owner read it (chmod 600)";
        return false;
    }
    secret = trimmed(text->substr(0, text->find('\n')));
    if (secret.empty()) {
        error = "the credentials file " + path + " is empty";
        return false;
    }
    return true;
}

std::string fnv1a(const std::string& s) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (int shift = 60; shift >= 0; shift -= 4) out += digits[(h >> shift) & 15];
    return out;
}

}  // namespace

bool checkSource(const std::string& source, platform::HttpUrl& url, std::string& error) {
    if (!platform::parseHttpUrl(source, url, error)) return false;
    if (url.userInfo.empty()) return true;
    error = "the address for " + url.hostLabel() +
            " holds a user name or password; name a file holding them with PASSWORDFILE= in velmora.ini's [REMOTE]"
            " section instead";
    return false;
}

RemoteSettings readRemoteSettings(IniFile& ini) {
    RemoteSettings s;
    s.source = ini.read("REMOTE", "SOURCE");
    s.tokenFile = ini.read("REMOTE", "TOKENFILE");
    s.passwordFile = ini.read("REMOTE", "PASSWORDFILE");
    const std::string period = ini.read("REMOTE", "PERIOD");
    if (!period.empty()) {
        const long ms = std::strtol(period.c_str(), nullptr, 10);
        // Faster than the interface's own tick would only load the host.
        if (ms > 0) s.periodMs = static_cast<std::uint32_t>(ms < 100 ? 100 : ms > 3'600'000 ? 3'600'000 : ms);
    }
    return s;
}

std::unique_ptr<RemoteHost> RemoteHost::open(platform::Platform& os, const RemoteSettings& settings,
                                             const std::string& programFolder, std::string& error) {
    platform::HttpUrl url;
    if (!checkSource(settings.source, url, error)) return nullptr;
    platform::HttpRequest request;
    request.url = settings.source;
    if (!settings.tokenFile.empty() && !readSecret(os, programFolder, settings.tokenFile, request.bearerToken, error))
        return nullptr;
    if (!settings.passwordFile.empty()) {
        std::string pair;
        if (!readSecret(os, programFolder, settings.passwordFile, pair, error)) return nullptr;
        const auto colon = pair.find(':');
        if (colon == std::string::npos || colon == 0) {
            error = "the password file must hold user:password on its first line";
            return nullptr;
        }
        request.basicUser = pair.substr(0, colon);
        request.basicPassword = pair.substr(colon + 1);
    }

    std::unique_ptr<RemoteHost> host(new RemoteHost(os));
    host->label_ = url.hostLabel();
    platform::HttpClient& http = os.http();
    const bool atOnce = http.answersAtOnce();
    const auto mode = atOnce ? ScrapeWorker::Mode::Manual : ScrapeWorker::Mode::Thread;
    ScrapeWorker::Clock clock;
    if (atOnce) clock = [&os] { return static_cast<std::int64_t>(os.tickMs()); };
    host->worker_ = std::make_unique<ScrapeWorker>(http, request, settings.periodMs, mode, clock);
    if (atOnce) {
        host->worker_->scrapeNow();
        ScrapeWorker* worker = host->worker_.get();
        host->timer_ = os.startTimer(settings.periodMs, [worker] { worker->scrapeNow(); });
    }
    host->firstAnswerBoundMs_ = static_cast<std::uint32_t>(request.totalTimeoutMs + 500);
    host->sources_ = std::make_unique<RemoteSources>(*host->worker_, host->label_);
    os.replaceSources(host->sources_.get());
    return host;
}

RemoteHost::RemoteHost(platform::Platform& os) : os_(os) {}

bool RemoteHost::awaitFirstAnswer(const std::function<bool()>& runEvents) {
    constexpr std::uint32_t kSliceMs = 20;
    for (std::uint32_t waited = 0; waited < firstAnswerBoundMs_; waited += kSliceMs) {
        if (worker_->waitForAttemptAfter(0, kSliceMs)) return true;
        if (!runEvents()) return false;
    }
    return true;
}

RemoteHost::~RemoteHost() {
    os_.replaceSources(nullptr);
    if (timer_) os_.stopTimer(timer_);
}

std::string RemoteHost::instanceName(const std::string& programFolder) const {
    return "Brinlake VELMORA v2 " + label_ + " " + fnv1a(programFolder);
}

}  // namespace vel::remote
