// The registry's files and the keys that handles name. A hive is one tree kept in one file:
// system.reg (HKEY_LOCAL_MACHINE), user.reg (HKEY_CURRENT_USER), userdef.reg (the default
// user) or a hive file loaded with RegLoadKeyA. HKEY_USERS is a tree in memory holding the
// two user hives.
//
// Caching: a hive's tree is read from its file on first use and read again whenever the
// file's identity, size or modification time differ from those last read or written, so a
// change written by another process (or by Wine) is seen at the next call. Every change is
// made under an exclusive lock on <prefix>/.reg.lock: the file is re-read if it changed, the
// change applied, and the whole file written to a temporary file in the same folder,
// flushed to disk and renamed over the old one, so that the file is always either the old
// or the new version, whatever moment a process dies at.
//
// Beside a running wineserver: the server holds the prefix's three hives in memory and
// saves them over their files when it ends, so the files are neither what Wine holds nor a
// place where a change would last. While one runs, each registry call (a "look") reads the
// keys it needs from the server through Wine's reg.exe, and a change is handed to the
// server as an import of exactly what the call changed. While none runs, the registry lock
// also takes the server's own lock, so that none can start and load a file half-changed.
#ifndef WINAPI_ADVAPI32_HIVE_H
#define WINAPI_ADVAPI32_HIVE_H

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <sys/types.h>

#include "regfile.h"
#include "regtree.h"
#include "winerror.h"
#include "winreg.h"

class Hive {
public:
    // `hostPath` empty: a tree kept in memory only. `liveName` ("HKEY_LOCAL_MACHINE"): the
    // hive is one a wineserver holds, by that name, while it runs.
    Hive(std::string hostPath, std::u16string fullName, std::string relativeTo, std::u16string liveName = u"");

    // The tree, read again first when the file changed on disk.
    RegKey &Root();
    // Writes the tree to its file atomically, or hands the change to a running wineserver;
    // the registry lock must be held.
    LONG Commit();

    const std::string &HostPath() const { return m_hostPath; }
    void SetHostPath(const std::string &path) { m_hostPath = path; }
    // "\registry\machine" and the like, lower case: how notifications compare places.
    const std::u16string &FullName() const { return m_fullName; }
    // The file's "All keys relative to" text, escaped as in the file.
    const std::string &RelativeTo() const { return m_header.relativeTo; }
    bool unloaded = false;
    bool loadedFromFile = false;   // by RegLoadKeyA

    // Hive files loaded below keys of this hive: the path (names) and the hive.
    struct Mount {
        std::vector<std::u16string> path;
        std::shared_ptr<Hive> hive;
    };
    std::vector<Mount> mounts;
    void AttachMounts();

private:
    bool FileChanged(struct stat &st) const;
    RegKey &LiveRoot();

    std::string m_hostPath;
    std::u16string m_fullName;
    std::u16string m_liveName;
    bool m_live = false;   // the tree is what the server held at look m_liveLook
    unsigned long m_liveLook = 0;
    std::unique_ptr<RegKey> m_liveSnapshot;   // the tree as read; Commit hands over the difference
    RegFileHeader m_header;
    std::unique_ptr<RegKey> m_root;
    bool m_loaded = false;
    LONG m_readError = ERROR_SUCCESS;   // why the file could not be read; it is then never written
    dev_t m_dev = 0;
    ino_t m_ino = 0;
    off_t m_size = -1;
    long long m_mtimeNs = -1;
};

// Reads a hive file into a new tree. ERROR_FILE_NOT_FOUND and the like, or
// ERROR_NOT_REGISTRY_FILE.
LONG ReadHiveFile(const std::string &hostPath, RegKey &root, RegFileHeader &header);
// Writes `text` to `hostPath` through a temporary file and a rename; first removes the
// temporary files that writers killed before their rename left in the same folder.
LONG WriteFileAtomically(const std::string &hostPath, const std::string &text);

// Held by every registry function while it looks at trees, which a re-read replaces.
std::recursive_mutex &RegistryMutex();

class WineServerHold;
struct KeyRef;

// One look at the registry: the outermost guard of a call begins it, and every hive a
// running wineserver holds is read from the server at most once in it.
class RegistryReadGuard {
public:
    explicit RegistryReadGuard(std::recursive_mutex &mutex);
    ~RegistryReadGuard();
    RegistryReadGuard(const RegistryReadGuard &) = delete;
    RegistryReadGuard &operator=(const RegistryReadGuard &) = delete;

    // Narrows what the look reads of `ref`'s hive from a running server to the key at
    // `ref` then `names` and what is below it (or below the deepest of them that exists).
    // Call it before the look's first walk; without it the whole hive is read.
    void Scope(const KeyRef &ref, const std::vector<std::u16string> &names = {});

private:
    std::recursive_mutex &m_mutex;
};

// The registry lock: this process's threads and other processes, held for its lifetime;
// also one look, and while no wineserver of the prefix runs, that server's lock.
class RegistryLock {
public:
    RegistryLock();
    ~RegistryLock();
    RegistryLock(const RegistryLock &) = delete;
    RegistryLock &operator=(const RegistryLock &) = delete;

    void Scope(const KeyRef &ref, const std::vector<std::u16string> &names = {}) { m_look.Scope(ref, names); }

private:
    RegistryReadGuard m_look;
    int m_fd;
    std::unique_ptr<WineServerHold> m_serverHold;
};

// A key as a handle names it: its hive and the names leading to it from the hive's root.
struct KeyRef {
    std::shared_ptr<Hive> hive;
    std::vector<std::u16string> path;

    // The lower-case full name used to compare places ("\registry\machine\software").
    std::u16string FullName() const;
};

// The key itself, or nullptr when it no longer exists.
RegKey *LocateKey(const KeyRef &ref);

// Walks `names` from `from`, passing into loaded hives and following links. With `create`,
// missing keys are made (each new one is reported through `created`). Returns the key or
// nullptr with `error` set; `ref` receives where the walk ended.
RegKey *WalkPath(const KeyRef &from, const std::vector<std::u16string> &names, bool create, KeyRef &ref,
                 LONG &error, std::vector<KeyRef> *created = nullptr);

// The key an HKEY names: a predefined root or an open key. ERROR_INVALID_HANDLE for neither.
// `access` receives what the handle may do.
LONG RefFromHandle(HKEY hkey, KeyRef &ref, REGSAM *access = nullptr);
// The same for a handle that must have been opened with `needed` access; else
// ERROR_ACCESS_DENIED.
LONG RefWithAccess(HKEY hkey, REGSAM needed, KeyRef &ref);

// A new handle for `ref`.
HKEY NewKeyHandle(const KeyRef &ref, REGSAM access);
// Closes a handle made by NewKeyHandle; false when it is no key handle.
bool CloseKeyHandle(HKEY hkey);
// How many open handles name a key of `hive`.
int OpenHandleCount(const Hive *hive);

// True for the roots below which hive files may be loaded: HKEY_LOCAL_MACHINE, HKEY_USERS.
bool AcceptsHiveLoads(const KeyRef &ref);

// True for the seven predefined root values.
bool IsPredefinedKey(HKEY hkey);

// The host path of a Windows file path (RegSaveKeyA and its kin). FALSE with the error.
LONG HostPathOfFile(LPCSTR path, std::string &host);

// The access rights a handle opened with `sam` has, generic rights mapped.
REGSAM MapKeyAccess(REGSAM sam);

#endif
