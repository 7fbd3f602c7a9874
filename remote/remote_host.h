#pragma once
// Watching another machine: the [REMOTE] settings, the credentials files,
// the scrape worker and the figures it feeds, in place of this machine's.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/common/http_url.h"
#include "platform/platform.h"

namespace vel {
class IniFile;
}

namespace vel::remote {

class ScrapeWorker;
class RemoteSources;

struct RemoteSettings {
    std::string source;        // the metrics address; "" watches this machine
    std::string tokenFile;     // a file holding a bearer token
    std::string passwordFile;  // a file holding user:password
    std::uint32_t periodMs = 1000;
};

// False with a message for people when `source` is no http(s) address, or
// holds credentials (which belong in a file only the user may read).
bool checkSource(const std::string& source, platform::HttpUrl& url, std::string& error);

// SOURCE, TOKENFILE, PASSWORDFILE and PERIOD (milliseconds) of [REMOTE].
RemoteSettings readRemoteSettings(IniFile& ini);

class RemoteHost {
public:
    // Null, with a message for people, when the source cannot be used. A
    // relative credentials file name is taken in `programFolder`. The first
    // fetch starts at once and is not waited for here.
    static std::unique_ptr<RemoteHost> open(platform::Platform& os, const RemoteSettings& settings,
                                            const std::string& programFolder, std::string& error);
    // Gives the platform its own figures back.
    ~RemoteHost();
    RemoteHost(const RemoteHost&) = delete;
    RemoteHost& operator=(const RemoteHost&) = delete;

    // "nas:9100": what titles and messages name.
    const std::string& label() const { return label_; }
    // The single-instance name: one program per host and program folder.
    std::string instanceName(const std::string& programFolder) const;
    const ScrapeWorker& worker() const { return *worker_; }
    // Lets events run in short slices until the first fetch has finished
    // (answered or failed; at most a request's total time), so that the
    // start counts the host's processors while its splash stays alive.
    // False when `runEvents` says the program is ending.
    bool awaitFirstAnswer(const std::function<bool()>& runEvents);

private:
    explicit RemoteHost(platform::Platform& os);

    platform::Platform& os_;
    std::string label_;
    std::unique_ptr<ScrapeWorker> worker_;
    std::unique_ptr<RemoteSources> sources_;
    platform::TimerId timer_ = 0;
    std::uint32_t firstAnswerBoundMs_ = 0;
};

}  // namespace vel::remote
