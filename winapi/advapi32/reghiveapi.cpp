// Hive files: saving a key to one, loading one below a root, unloading it, restoring a key
// from one and replacing a loaded hive's file. The files are in the registry's own text
// format, keys relative to the saved key.
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "../kernel32/hostio.h"
#include "../kernel32/lasterror.h"
#include "hive.h"
#include "notify.h"
#include "winerror.h"
#include "winreg.h"

static bool FileExists(const std::string &host)
{
    struct stat st;
    return lstat(host.c_str(), &st) == 0;
}

// Writes a new file that must not exist yet; it appears whole or not at all.
static LONG CreateFileWhole(const std::string &host, const std::string &text)
{
    std::string temp = host + ".tmp" + std::to_string(getpid());
    LONG res = WriteFileAtomically(temp, text);
    if (res != ERROR_SUCCESS)
        return res;
    if (link(temp.c_str(), host.c_str()) != 0) {
        int err = errno;
        unlink(temp.c_str());
        return (LONG)Win32ErrorFromErrno(err);
    }
    unlink(temp.c_str());
    return ERROR_SUCCESS;
}

// The single name of a key to load or unload below a root.
static bool SingleName(LPCSTR name, std::u16string &out)
{
    if (!*name || strchr(name, '\\'))
        return false;
    out = AnsiToWide(name, strlen(name));
    return true;
}

// The hive file that lpFile names, read whole: its host path, its keys and its header.
static LONG ReadHiveOfFile(LPCSTR lpFile, std::string &host, RegKey &root, RegFileHeader &header)
{
    LONG res = HostPathOfFile(lpFile, host);
    return res != ERROR_SUCCESS ? res : ReadHiveFile(host, root, header);
}

// "REGISTRY\\Machine\\Software\\Saved": where the saved key is, as Wine writes it.
static std::string RelativeToText(const KeyRef &ref)
{
    std::string text = ref.hive->RelativeTo();
    for (const std::u16string &name : ref.path)
        text += "\\\\" + WideToAnsi(name);
    return text;
}

/***********************************************************************
 *           RegSaveKeyA
 *
 * The key and everything below it to a new file (ERROR_ALREADY_EXISTS if the file exists).
 */
LONG WINAPI RegSaveKeyA(HKEY hKey, LPCSTR lpFile, LPSECURITY_ATTRIBUTES lpSecurityAttributes)
{
    (void)lpSecurityAttributes;
    if (!lpFile || !*lpFile)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    std::string host;
    if ((res = HostPathOfFile(lpFile, host)) != ERROR_SUCCESS)
        return res;
    if (FileExists(host))
        return ERROR_ALREADY_EXISTS;
    std::string text;
    {
        RegistryReadGuard guard(RegistryMutex());
        RegKey *key = LocateKey(ref);
        if (!key)
            return ERROR_KEY_DELETED;
        text = FormatRegistryText(*key, RegFileHeader{RelativeToText(ref), "win64", {}});
    }
    return CreateFileWhole(host, text);
}

/***********************************************************************
 *           RegLoadKeyA
 *
 * Loads a hive file as a new key directly below HKEY_LOCAL_MACHINE or HKEY_USERS. Changes
 * below that key go to the hive file, not to the root's file, until RegUnLoadKeyA.
 */
LONG WINAPI RegLoadKeyA(HKEY hKey, LPCSTR lpSubKey, LPCSTR lpFile)
{
    if (!lpSubKey || !lpFile)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    std::u16string name;
    if (!AcceptsHiveLoads(ref) || !SingleName(lpSubKey, name))
        return ERROR_INVALID_PARAMETER;
    std::string host;
    RegKey probe;
    RegFileHeader header;
    if ((res = ReadHiveOfFile(lpFile, host, probe, header)) != ERROR_SUCCESS)
        return res;

    RegistryLock lock;
    RegKey *root = LocateKey(ref);
    if (root->FindSubkey(name))
        return ERROR_ALREADY_EXISTS;
    KeyRef mountRef{ref.hive, {name}};
    auto hive = std::make_shared<Hive>(host, mountRef.FullName(), header.relativeTo);
    hive->loadedFromFile = true;
    ref.hive->mounts.push_back(Hive::Mount{{name}, hive});
    ref.hive->AttachMounts();
    NotifyChange(ref, REG_NOTIFY_CHANGE_NAME);
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegUnLoadKeyA
 *
 * Refused with ERROR_ACCESS_DENIED while a handle to a key of the hive is open.
 */
LONG WINAPI RegUnLoadKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    std::u16string name;
    if (!SingleName(lpSubKey, name))
        return ERROR_INVALID_PARAMETER;

    RegistryLock lock;
    std::vector<Hive::Mount> &mounts = ref.hive->mounts;
    std::vector<std::u16string> wanted = ref.path;
    wanted.push_back(name);
    for (auto it = mounts.begin(); it != mounts.end(); ++it) {
        bool match = it->path.size() == wanted.size();
        for (size_t i = 0; match && i < wanted.size(); i++)
            match = CompareNames(it->path[i], wanted[i]) == 0;
        if (!match)
            continue;
        if (OpenHandleCount(it->hive.get()))
            return ERROR_ACCESS_DENIED;
        it->hive->unloaded = true;
        mounts.erase(it);
        RegKey *parent = LocateKey(ref);
        size_t index;
        if (parent && parent->FindSubkey(name, &index))
            parent->subkeys.erase(parent->subkeys.begin() + index);
        NotifyChange(ref, REG_NOTIFY_CHANGE_NAME);
        return ERROR_SUCCESS;
    }
    return ERROR_INVALID_PARAMETER;
}

/***********************************************************************
 *           RegRestoreKeyA
 *
 * The key's values and subkeys become those of the hive file; the key keeps its name.
 */
LONG WINAPI RegRestoreKeyA(HKEY hKey, LPCSTR lpFile, DWORD dwFlags)
{
    if (!lpFile || !*lpFile || (dwFlags & ~(DWORD)REG_FORCE_RESTORE))
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    std::string host;
    RegKey loaded;
    RegFileHeader header;
    if ((res = ReadHiveOfFile(lpFile, host, loaded, header)) != ERROR_SUCCESS)
        return res;

    RegistryLock lock;
    RegKey *key = LocateKey(ref);
    if (!key)
        return ERROR_KEY_DELETED;
    key->values = std::move(loaded.values);
    key->subkeys = std::move(loaded.subkeys);
    key->keyClass = loaded.keyClass;
    key->hasClass = loaded.hasClass;
    key->modified = CurrentFileTime();
    ref.hive->AttachMounts();
    if ((res = ref.hive->Commit()) != ERROR_SUCCESS)
        return res;
    NotifyChange(ref, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET);
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegReplaceKeyA
 *
 * For the root of a loaded hive: its file is renamed to lpOldFile (which keeps receiving
 * the loaded hive's changes) and a copy of lpNewFile takes its name, to be used the next
 * time the hive is loaded. Other keys: ERROR_INVALID_PARAMETER.
 */
LONG WINAPI RegReplaceKeyA(HKEY hKey, LPCSTR lpSubKey, LPCSTR lpNewFile, LPCSTR lpOldFile)
{
    if (!lpNewFile || !lpOldFile)
        return ERROR_INVALID_PARAMETER;
    KeyRef from, ref;
    LONG res = RefFromHandle(hKey, from);
    if (res != ERROR_SUCCESS)
        return res;
    std::vector<std::u16string> names;
    if (lpSubKey)
        names = SplitPath(AnsiToWide(lpSubKey, strlen(lpSubKey)));
    std::string newHost, oldHost;
    if ((res = HostPathOfFile(lpNewFile, newHost)) != ERROR_SUCCESS ||
        (res = HostPathOfFile(lpOldFile, oldHost)) != ERROR_SUCCESS)
        return res;

    RegistryLock lock;
    if (!WalkPath(from, names, false, ref, res))
        return res;
    const std::string current = ref.hive->HostPath();
    if (!ref.path.empty() || !ref.hive->loadedFromFile)
        return ERROR_INVALID_PARAMETER;
    RegKey probe;
    RegFileHeader header;
    std::string text;
    if ((res = ReadHiveFile(newHost, probe, header)) != ERROR_SUCCESS)
        return res;
    if (FileExists(oldHost))
        return ERROR_ALREADY_EXISTS;
    if (int err = ReadWholeFile(newHost, text))
        return (LONG)Win32ErrorFromErrno(err);
    if (rename(current.c_str(), oldHost.c_str()) != 0)
        return (LONG)Win32ErrorFromErrno(errno);
    ref.hive->SetHostPath(oldHost);
    return WriteFileAtomically(current, text);
}
