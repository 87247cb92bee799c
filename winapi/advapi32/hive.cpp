// Hive files, the registry lock, the predefined roots and key handles.
#include "hive.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

#include "../kernel32/dospath.h"
#include "../kernel32/handles.h"
#include "../kernel32/hostio.h"
#include "../kernel32/lasterror.h"
#include "livereg.h"
#include "notify.h"
#include "regexport.h"
#include "wineserver.h"
#include "winerror.h"

static const char16_t kUserSid[] = u"S-1-5-21-0-0-0-1000";

// ---- files -----------------------------------------------------------------------------

LONG ReadHiveFile(const std::string &hostPath, RegKey &root, RegFileHeader &header)
{
    std::string text;
    if (int err = ReadWholeFile(hostPath, text))
        return (LONG)Win32ErrorFromErrno(err);
    return ParseRegistryText(text, root, header) ? ERROR_SUCCESS : ERROR_NOT_REGISTRY_FILE;
}

LONG WriteFileAtomically(const std::string &hostPath, const std::string &text)
{
    // Every hive of the prefix shares the stem: they are written one at a time, under the lock.
    int err = ReplaceWholeFile(hostPath, text, ".reg");
    return err ? (LONG)Win32ErrorFromErrno(err) : ERROR_SUCCESS;
}

// ---- looks -----------------------------------------------------------------------------

namespace {

// The look in progress: its number (never 0), what it reads of a hive a server holds, and
// whether a server runs (-1: not asked yet).
struct Look {
    int depth = 0;
    unsigned long number = 0;
    const Hive *scopeHive = nullptr;
    std::vector<std::u16string> scopePath;
    int serverRuns = -1;
};

Look g_look;
// The hold of the registry lock in progress, if any: it knows whether a server runs.
WineServerHold *g_serverHold = nullptr;

}

static std::string CurrentPrefix();

static bool ServerHoldsRegistry()
{
    if (g_serverHold)
        return g_serverHold->ServerRuns();
    if (g_look.serverRuns < 0)
        g_look.serverRuns = WineServerRuns(CurrentPrefix()) ? 1 : 0;
    return g_look.serverRuns == 1;
}

// ---- hives -----------------------------------------------------------------------------

Hive::Hive(std::string hostPath, std::u16string fullName, std::string relativeTo, std::u16string liveName)
    : m_hostPath(std::move(hostPath)), m_fullName(LowerName(fullName)), m_liveName(std::move(liveName)),
      m_root(new RegKey)
{
    m_header.relativeTo = std::move(relativeTo);
    m_header.arch = "win64";
    m_root->modified = CurrentFileTime();
}

bool Hive::FileChanged(struct stat &st) const
{
    if (stat(m_hostPath.c_str(), &st) != 0)
        return m_size != -1;
    long long mtime = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    return st.st_dev != m_dev || st.st_ino != m_ino || st.st_size != m_size || mtime != m_mtimeNs;
}

RegKey &Hive::Root()
{
    if (m_hostPath.empty() || unloaded)
        return *m_root;
    if (!m_liveName.empty() && ServerHoldsRegistry())
        return LiveRoot();
    if (m_live) {
        m_live = false;   // the server has ended since: its last save is in the file
        m_liveSnapshot.reset();
        m_loaded = false;
    }
    struct stat st;
    if (m_loaded && !FileChanged(st))
        return *m_root;
    if (stat(m_hostPath.c_str(), &st) != 0) {
        // No file (yet, or any more): the hive is empty. A file we cannot even look at is
        // not, and must never be written over.
        m_readError = errno == ENOENT ? ERROR_SUCCESS : (LONG)Win32ErrorFromErrno(errno);
        if (!m_loaded || m_size != -1) {
            m_root = std::make_unique<RegKey>();
            m_root->modified = CurrentFileTime();
            AttachMounts();
        }
        m_size = -1;
        m_loaded = true;
        return *m_root;
    }
    auto root = std::make_unique<RegKey>();
    RegFileHeader header;
    LONG res = ReadHiveFile(m_hostPath, *root, header);
    // A file that vanished since the stat is an empty hive; any other failure (not ours to
    // read, not a registry file) leaves us an empty tree that must not replace the file.
    m_readError = res == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : res;
    if (res == ERROR_SUCCESS) {
        if (!header.relativeTo.empty())
            m_header.relativeTo = header.relativeTo;
        if (!header.arch.empty())
            m_header.arch = header.arch;
        m_header.unparsedLines = std::move(header.unparsedLines);
        m_root = std::move(root);
    } else {
        m_root = std::make_unique<RegKey>();
    }
    m_dev = st.st_dev;
    m_ino = st.st_ino;
    m_size = st.st_size;
    m_mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    m_loaded = true;
    AttachMounts();
    return *m_root;
}

void Hive::AttachMounts()
{
    for (const Mount &mount : mounts) {
        RegKey *key = m_root.get();
        for (const std::u16string &name : mount.path)
            key = key->AddSubkey(name, CurrentFileTime());
        key->mounted = mount.hive;
    }
}

// The keys of a look's scope that the server holds, read into `root`: the key the scope
// names, else the deepest key on its way that exists, with everything below it.
static LONG ReadLiveTree(const std::u16string &liveName, const std::vector<std::u16string> &path, RegKey &root)
{
    for (size_t depth = path.size();; depth--) {
        std::u16string name = liveName;
        for (size_t i = 0; i < depth; i++)
            name += u'\\' + path[i];
        std::u16string text;
        LONG res = ExportLiveKey(name, text);
        if (res == ERROR_SUCCESS)
            return ParseRegExport(text, liveName, root) ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
        if (res != ERROR_FILE_NOT_FOUND)
            return res;
        if (depth == 0)
            return ERROR_REGISTRY_IO_FAILED;   // not even the hive's root
    }
}

RegKey &Hive::LiveRoot()
{
    if (m_live && m_liveLook == g_look.number)
        return *m_root;
    m_live = true;
    m_liveLook = g_look.number;
    m_loaded = false;
    auto root = std::make_unique<RegKey>();
    root->modified = CurrentFileTime();
    m_readError = ReadLiveTree(m_liveName, g_look.scopeHive == this ? g_look.scopePath : std::vector<std::u16string>(),
                               *root);
    if (m_readError != ERROR_SUCCESS) {
        root = std::make_unique<RegKey>();
        root->modified = CurrentFileTime();
    }
    m_root = std::move(root);
    AttachMounts();
    m_liveSnapshot = CloneKey(*m_root);
    return *m_root;
}

LONG Hive::Commit()
{
    if (m_hostPath.empty() || unloaded)
        return ERROR_SUCCESS;
    if (m_readError != ERROR_SUCCESS)
        return m_readError;
    if (m_live) {
        std::u16string changes = FormatRegImport(*m_liveSnapshot, *m_root, m_liveName);
        LONG res = changes.empty() ? ERROR_SUCCESS : ImportLiveChanges(changes);
        if (res != ERROR_SUCCESS) {
            m_liveLook = 0;   // the next look reads what the server holds after all
            return res;
        }
        m_liveSnapshot = CloneKey(*m_root);
        return ERROR_SUCCESS;
    }
    LONG res = WriteFileAtomically(m_hostPath, FormatRegistryText(*m_root, m_header));
    if (res != ERROR_SUCCESS) {
        m_loaded = false;   // the next look reads what the file still holds
        return res;
    }
    struct stat st;
    if (stat(m_hostPath.c_str(), &st) == 0) {
        m_dev = st.st_dev;
        m_ino = st.st_ino;
        m_size = st.st_size;
        m_mtimeNs = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    }
    return res;
}

// ---- the registry of the current prefix ------------------------------------------------

namespace {

struct Registry {
    std::string prefix;
    std::shared_ptr<Hive> machine, user, userDefault, users;
};

}

static std::recursive_mutex g_registryMutex;

std::recursive_mutex &RegistryMutex()
{
    return g_registryMutex;
}

RegistryReadGuard::RegistryReadGuard(std::recursive_mutex &mutex) : m_mutex(mutex)
{
    m_mutex.lock();
    if (g_look.depth++ == 0) {
        g_look.number++;
        g_look.scopeHive = nullptr;
        g_look.scopePath.clear();
        g_look.serverRuns = -1;
    }
}

RegistryReadGuard::~RegistryReadGuard()
{
    g_look.depth--;
    m_mutex.unlock();
}

void RegistryReadGuard::Scope(const KeyRef &ref, const std::vector<std::u16string> &names)
{
    g_look.scopeHive = ref.hive.get();
    g_look.scopePath = ref.path;
    g_look.scopePath.insert(g_look.scopePath.end(), names.begin(), names.end());
}

static Registry &CurrentRegistry()
{
    static Registry registry;
    std::string prefix = DosPrefixRoot();
    if (registry.prefix != prefix || !registry.machine) {
        registry.prefix = prefix;
        registry.machine = std::make_shared<Hive>(prefix + "/system.reg", u"\\Registry\\Machine", "REGISTRY\\\\Machine",
                                                  u"HKEY_LOCAL_MACHINE");
        std::u16string userName = std::u16string(u"\\Registry\\User\\") + kUserSid;
        registry.user = std::make_shared<Hive>(prefix + "/user.reg", userName,
                                               "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000", u"HKEY_CURRENT_USER");
        registry.userDefault =
            std::make_shared<Hive>(prefix + "/userdef.reg", u"\\Registry\\User\\.Default",
                                   "REGISTRY\\\\User\\\\.Default", u"HKEY_USERS\\.Default");
        registry.users = std::make_shared<Hive>("", u"\\Registry\\User", "REGISTRY\\\\User");
        registry.users->mounts.push_back({{u".Default"}, registry.userDefault});
        registry.users->mounts.push_back({{kUserSid}, registry.user});
        registry.users->AttachMounts();
    }
    return registry;
}

static std::string CurrentPrefix()
{
    return CurrentRegistry().prefix;
}

RegistryLock::RegistryLock() : m_look(g_registryMutex)
{
    std::string prefix = CurrentPrefix();
    m_fd = open((prefix + "/.reg.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (m_fd >= 0)
        while (flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
        }
    if (!g_serverHold) {
        m_serverHold = std::make_unique<WineServerHold>(prefix);
        g_serverHold = m_serverHold.get();
    }
}

RegistryLock::~RegistryLock()
{
    if (m_serverHold)
        g_serverHold = nullptr;
    m_serverHold.reset();
    if (m_fd >= 0)
        close(m_fd);   // releases the flock
}

// ---- walking paths ---------------------------------------------------------------------

std::u16string KeyRef::FullName() const
{
    std::u16string name = hive->FullName();
    for (const std::u16string &part : path) {
        name += u'\\';
        name += LowerName(part);
    }
    return name;
}

RegKey *LocateKey(const KeyRef &ref)
{
    if (ref.hive->unloaded)
        return nullptr;
    RegKey *key = &ref.hive->Root();
    for (const std::u16string &name : ref.path) {
        key = key->FindSubkey(name);
        if (!key)
            return nullptr;
    }
    return key;
}

// The place a link's target names ("\REGISTRY\Machine\System\ControlSet001").
static bool LinkTarget(RegKey &link, KeyRef &target, std::vector<std::u16string> &names)
{
    RegValue *value = link.FindValue(u"SymbolicLinkValue");
    if (!value || value->type != REG_LINK)
        return false;
    std::u16string text;
    for (size_t i = 0; i + 1 < value->data.size(); i += 2)
        text.push_back((char16_t)((unsigned char)value->data[i] | ((unsigned char)value->data[i + 1] << 8)));
    std::vector<std::u16string> parts = SplitPath(text);
    Registry &registry = CurrentRegistry();
    for (const auto &hive : {registry.user, registry.userDefault, registry.machine}) {
        std::vector<std::u16string> hiveParts = SplitPath(hive->FullName());
        if (parts.size() < hiveParts.size())
            continue;
        bool match = true;
        for (size_t i = 0; i < hiveParts.size() && match; i++)
            match = CompareNames(parts[i], hiveParts[i]) == 0;
        if (match) {
            target = KeyRef{hive, {}};
            names.assign(parts.begin() + hiveParts.size(), parts.end());
            return true;
        }
    }
    return false;
}

static RegKey *Walk(const KeyRef &from, const std::vector<std::u16string> &names, bool create, KeyRef &ref,
                    LONG &error, std::vector<KeyRef> *created, int depth)
{
    ref = from;
    RegKey *key = LocateKey(ref);
    if (!key) {
        error = ERROR_KEY_DELETED;
        return nullptr;
    }
    for (const std::u16string &name : names) {
        RegKey *sub = key->FindSubkey(name);
        if (!sub) {
            if (!create) {
                error = ERROR_FILE_NOT_FOUND;
                return nullptr;
            }
            ULONGLONG now = CurrentFileTime();
            sub = key->AddSubkey(name, now);
            key->modified = now;
            ref.path.push_back(name);
            if (created)
                created->push_back(ref);
            key = sub;
            continue;
        }
        if (sub->mounted) {
            ref = KeyRef{sub->mounted, {}};
            key = &sub->mounted->Root();
            continue;
        }
        if (sub->isLink) {
            KeyRef target;
            std::vector<std::u16string> targetNames;
            if (depth > 16 || !LinkTarget(*sub, target, targetNames)) {
                error = ERROR_FILE_NOT_FOUND;
                return nullptr;
            }
            key = Walk(target, targetNames, false, ref, error, nullptr, depth + 1);
            if (!key)
                return nullptr;
            continue;
        }
        ref.path.push_back(sub->name);
        key = sub;
    }
    return key;
}

RegKey *WalkPath(const KeyRef &from, const std::vector<std::u16string> &names, bool create, KeyRef &ref,
                 LONG &error, std::vector<KeyRef> *created)
{
    return Walk(from, names, create, ref, error, created, 0);
}

// ---- handles ---------------------------------------------------------------------------

namespace {

class KeyHandle;
std::vector<KeyHandle *> g_keyHandles;

// A key handle; CloseHandle and RegCloseKey both end it, and either way the key's pending
// notification is signalled and dropped.
class KeyHandle : public KernelObject {
public:
    KeyHandle(const KeyRef &r, REGSAM a) : ref(r), access(a)
    {
        std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
        g_keyHandles.push_back(this);
    }
    ~KeyHandle() override
    {
        std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
        CancelNotifications((HKEY)this);
        for (auto it = g_keyHandles.begin(); it != g_keyHandles.end(); ++it)
            if (*it == this) {
                g_keyHandles.erase(it);
                break;
            }
    }
    KeyRef ref;
    REGSAM access;
};

}

bool AcceptsHiveLoads(const KeyRef &ref)
{
    Registry &registry = CurrentRegistry();
    return ref.path.empty() && (ref.hive == registry.machine || ref.hive == registry.users);
}

bool IsPredefinedKey(HKEY hkey)
{
    DWORD value = (DWORD)(ULONG_PTR)hkey;
    return value >= 0x80000000u && value <= 0x80000006u;
}

REGSAM MapKeyAccess(REGSAM sam)
{
    if (sam & GENERIC_READ)
        sam |= KEY_READ;
    if (sam & GENERIC_WRITE)
        sam |= KEY_WRITE;
    if (sam & GENERIC_EXECUTE)
        sam |= KEY_EXECUTE;
    if (sam & GENERIC_ALL)
        sam |= KEY_ALL_ACCESS;
    return sam & ~(REGSAM)(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL | KEY_WOW64_32KEY |
                           KEY_WOW64_64KEY);
}

// HKEY_CLASSES_ROOT and HKEY_CURRENT_CONFIG are keys of the machine's hive, made when
// missing as Wine makes them.
static LONG SpecialRoot(const std::vector<std::u16string> &names, KeyRef &ref)
{
    Registry &registry = CurrentRegistry();
    LONG error = ERROR_SUCCESS;
    if (WalkPath(KeyRef{registry.machine, {}}, names, false, ref, error))
        return ERROR_SUCCESS;
    RegistryLock lock;
    if (!WalkPath(KeyRef{registry.machine, {}}, names, true, ref, error))
        return error;
    return registry.machine->Commit();
}

LONG RefWithAccess(HKEY hkey, REGSAM needed, KeyRef &ref)
{
    REGSAM access;
    LONG res = RefFromHandle(hkey, ref, &access);
    if (res != ERROR_SUCCESS)
        return res;
    return (access & needed) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

LONG RefFromHandle(HKEY hkey, KeyRef &ref, REGSAM *access)
{
    RegistryReadGuard guard(g_registryMutex);
    if (access)
        *access = KEY_ALL_ACCESS;
    if (IsPredefinedKey(hkey)) {
        Registry &registry = CurrentRegistry();
        if (hkey == HKEY_LOCAL_MACHINE)
            ref = KeyRef{registry.machine, {}};
        else if (hkey == HKEY_CURRENT_USER)
            ref = KeyRef{registry.user, {}};
        else if (hkey == HKEY_USERS)
            ref = KeyRef{registry.users, {}};
        else if (hkey == HKEY_CLASSES_ROOT)
            return SpecialRoot({u"Software", u"Classes"}, ref);
        else if (hkey == HKEY_CURRENT_CONFIG)
            return SpecialRoot({u"System", u"CurrentControlSet", u"Hardware Profiles", u"Current"}, ref);
        else
            return ERROR_INVALID_HANDLE;
        return ERROR_SUCCESS;
    }
    KeyHandle *handle = hkey ? ObjectFromHandleAs<KeyHandle>((HANDLE)hkey) : nullptr;
    if (!handle)
        return ERROR_INVALID_HANDLE;
    ref = handle->ref;
    if (access)
        *access = handle->access;
    return ERROR_SUCCESS;
}

HKEY NewKeyHandle(const KeyRef &ref, REGSAM access)
{
    return (HKEY)HandleFromObject(new KeyHandle(ref, access));
}

bool CloseKeyHandle(HKEY hkey)
{
    std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
    if (!hkey || !ObjectFromHandleAs<KeyHandle>((HANDLE)hkey))
        return false;
    return DestroyHandle((HANDLE)hkey);
}

int OpenHandleCount(const Hive *hive)
{
    std::lock_guard<std::recursive_mutex> guard(g_registryMutex);
    int count = 0;
    for (KeyHandle *handle : g_keyHandles)
        if (handle->ref.hive.get() == hive)
            count++;
    return count;
}

LONG HostPathOfFile(LPCSTR path, std::string &host)
{
    if (!DosPathToHost(path, host))
        return (LONG)GetLastError();
    return ERROR_SUCCESS;
}
