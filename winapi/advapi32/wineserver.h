// The wineserver of a prefix, as the registry sees it. A server holds the prefix's registry
// in memory from its start to its end, when it saves it over the files; for its whole life
// it holds a write lock (fcntl, first byte) on the file "lock" in its folder, and it takes
// that lock before it loads the registry. Its folder is /tmp/.wine-<uid>/server-<dev>-<ino>
// of the prefix folder; Debian's Wine names a folder of its own in <prefix>/wineserver,
// below $TMPDIR or /tmp, and keeps the same server-<dev>-<ino> inside it.
#ifndef WINAPI_ADVAPI32_WINESERVER_H
#define WINAPI_ADVAPI32_WINESERVER_H

#include <string>
#include <vector>

// Takes the server's lock for as long as it lives, so that no server can start and load the
// files while we change them. When a server already holds it, ServerRuns() is true and
// nothing is held.
class WineServerHold {
public:
    explicit WineServerHold(const std::string &prefix);
    ~WineServerHold();
    WineServerHold(const WineServerHold &) = delete;
    WineServerHold &operator=(const WineServerHold &) = delete;

    bool ServerRuns() const { return m_serverRuns; }

private:
    std::vector<int> m_locks;
    bool m_serverRuns = false;
};

// Whether a server of the prefix runs now; looks and takes nothing. Never call it while this
// process holds a WineServerHold: closing the file it looks through would drop that hold.
bool WineServerRuns(const std::string &prefix);

#endif
