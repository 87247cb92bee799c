// RegGetKeySecurity and RegSetKeySecurity.
#include "regsecurity.h"

#include <string.h>

#include <map>

#include "notify.h"
#include "winerror.h"
#include "winreg.h"

namespace {

// The parts of a descriptor, each as its bytes (a SID or an ACL).
struct Descriptor {
    std::string owner, group, dacl, sacl;
    bool daclPresent = false, saclPresent = false;
};

std::map<std::u16string, Descriptor> g_descriptors;

std::string Sid(BYTE authority, std::initializer_list<DWORD> subAuthorities)
{
    std::string sid = {1, (char)subAuthorities.size(), 0, 0, 0, 0, 0, (char)authority};
    for (DWORD sub : subAuthorities)
        sid.append((const char *)&sub, 4);
    return sid;
}

std::string Ace(BYTE flags, DWORD mask, const std::string &sid)
{
    WORD size = (WORD)(8 + sid.size());
    std::string ace = {0 /* ACCESS_ALLOWED_ACE_TYPE */, (char)flags};
    ace.append((const char *)&size, 2);
    ace.append((const char *)&mask, 4);
    return ace + sid;
}

std::string Acl(const std::vector<std::string> &aces)
{
    std::string body;
    for (const std::string &ace : aces)
        body += ace;
    WORD size = (WORD)(8 + body.size()), count = (WORD)aces.size();
    std::string acl = {2 /* ACL_REVISION */, 0};
    acl.append((const char *)&size, 2);
    acl.append((const char *)&count, 2);
    acl.append(2, '\0');
    return acl + body;
}

// Wine's default for keys: owned by the administrators, users may read what is below,
// administrators may do anything.
Descriptor DefaultDescriptor()
{
    const BYTE kNtAuthority = 5;
    std::string admins = Sid(kNtAuthority, {32, 544}), users = Sid(kNtAuthority, {32, 545});
    const BYTE kContainerInheritInheritOnly = 0x02 | 0x08;
    Descriptor d;
    d.owner = admins;
    d.group = admins;
    d.daclPresent = true;
    d.dacl = Acl({Ace(kContainerInheritInheritOnly, GENERIC_READ, users), Ace(0, KEY_ALL_ACCESS, admins)});
    return d;
}

const Descriptor &DescriptorOf(const KeyRef &ref)
{
    static const Descriptor defaults = DefaultDescriptor();
    auto it = g_descriptors.find(ref.FullName());
    return it == g_descriptors.end() ? defaults : it->second;
}

// The self-relative form of the parts `what` asks for: header, owner, group, SACL, DACL.
std::string SelfRelative(const Descriptor &d, SECURITY_INFORMATION what)
{
    std::string out(20, '\0');
    WORD control = SE_SELF_RELATIVE;
    auto place = [&out](const std::string &part, size_t offsetAt) {
        DWORD offset = (DWORD)out.size();
        memcpy(&out[offsetAt], &offset, 4);
        out += part;
    };
    if ((what & OWNER_SECURITY_INFORMATION) && !d.owner.empty())
        place(d.owner, 4);
    if ((what & GROUP_SECURITY_INFORMATION) && !d.group.empty())
        place(d.group, 8);
    if ((what & SACL_SECURITY_INFORMATION) && d.saclPresent) {
        control |= SE_SACL_PRESENT;
        if (!d.sacl.empty())
            place(d.sacl, 12);
    }
    if ((what & DACL_SECURITY_INFORMATION) && d.daclPresent) {
        control |= SE_DACL_PRESENT;
        if (!d.dacl.empty())
            place(d.dacl, 16);
    }
    out[0] = SECURITY_DESCRIPTOR_REVISION;
    memcpy(&out[2], &control, 2);
    return out;
}

size_t SidLength(const BYTE *sid)
{
    return 8 + 4 * (size_t)sid[1];
}

size_t AclLength(const BYTE *acl)
{
    WORD size;
    memcpy(&size, acl + 2, 2);
    return size;
}

// Reads the parts of a descriptor given in self-relative or absolute form.
bool ParseDescriptor(const BYTE *sd, Descriptor &d)
{
    if (sd[0] != SECURITY_DESCRIPTOR_REVISION)
        return false;
    WORD control;
    memcpy(&control, sd + 2, 2);
    const BYTE *parts[4] = {};   // owner, group, sacl, dacl
    if (control & SE_SELF_RELATIVE) {
        for (int i = 0; i < 4; i++) {
            DWORD offset;
            memcpy(&offset, sd + 4 + 4 * i, 4);
            parts[i] = offset ? sd + offset : nullptr;
        }
    } else {
        for (int i = 0; i < 4; i++)
            memcpy(&parts[i], sd + 8 + sizeof(void *) * i, sizeof(void *));
    }
    d.owner = parts[0] ? std::string((const char *)parts[0], SidLength(parts[0])) : std::string();
    d.group = parts[1] ? std::string((const char *)parts[1], SidLength(parts[1])) : std::string();
    d.saclPresent = (control & SE_SACL_PRESENT) != 0;
    d.sacl = d.saclPresent && parts[2] ? std::string((const char *)parts[2], AclLength(parts[2])) : std::string();
    d.daclPresent = (control & SE_DACL_PRESENT) != 0;
    d.dacl = d.daclPresent && parts[3] ? std::string((const char *)parts[3], AclLength(parts[3])) : std::string();
    return true;
}

}

DWORD KeySecurityLength(const KeyRef &ref)
{
    RegistryReadGuard guard(RegistryMutex());
    return (DWORD)SelfRelative(DescriptorOf(ref),
                               OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION)
        .size();
}

void ForgetKeySecurity(const KeyRef &ref)
{
    RegistryReadGuard guard(RegistryMutex());
    std::u16string name = ref.FullName();
    for (auto it = g_descriptors.begin(); it != g_descriptors.end();) {
        const std::u16string &key = it->first;
        bool below = key == name || (key.size() > name.size() && !key.compare(0, name.size(), name) && key[name.size()] == u'\\');
        it = below ? g_descriptors.erase(it) : std::next(it);
    }
}

/***********************************************************************
 *           RegGetKeySecurity
 *
 * The descriptor in self-relative form. A buffer too small gives ERROR_INSUFFICIENT_BUFFER
 * with the size needed.
 */
LONG WINAPI RegGetKeySecurity(HKEY hKey, SECURITY_INFORMATION SecurityInformation,
                              PSECURITY_DESCRIPTOR pSecurityDescriptor, LPDWORD lpcbSecurityDescriptor)
{
    if (!lpcbSecurityDescriptor)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    RegistryReadGuard guard(RegistryMutex());
    if (!LocateKey(ref))
        return ERROR_KEY_DELETED;
    std::string sd = SelfRelative(DescriptorOf(ref), SecurityInformation);
    if (!pSecurityDescriptor || *lpcbSecurityDescriptor < sd.size()) {
        *lpcbSecurityDescriptor = (DWORD)sd.size();
        return ERROR_INSUFFICIENT_BUFFER;
    }
    memcpy(pSecurityDescriptor, sd.data(), sd.size());
    *lpcbSecurityDescriptor = (DWORD)sd.size();
    return ERROR_SUCCESS;
}

/***********************************************************************
 *           RegSetKeySecurity
 *
 * Replaces the parts named by SecurityInformation; the others stay.
 */
LONG WINAPI RegSetKeySecurity(HKEY hKey, SECURITY_INFORMATION SecurityInformation,
                              PSECURITY_DESCRIPTOR pSecurityDescriptor)
{
    const SECURITY_INFORMATION known =
        OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | SACL_SECURITY_INFORMATION;
    if (!(SecurityInformation & known) || !pSecurityDescriptor)
        return ERROR_INVALID_PARAMETER;
    KeyRef ref;
    LONG res = RefFromHandle(hKey, ref);
    if (res != ERROR_SUCCESS)
        return res;
    Descriptor given;
    if (!ParseDescriptor((const BYTE *)pSecurityDescriptor, given))
        return ERROR_INVALID_SECURITY_DESCR;
    {
        RegistryReadGuard guard(RegistryMutex());
        if (!LocateKey(ref))
            return ERROR_KEY_DELETED;
        Descriptor d = DescriptorOf(ref);
        if (SecurityInformation & OWNER_SECURITY_INFORMATION)
            d.owner = given.owner;
        if (SecurityInformation & GROUP_SECURITY_INFORMATION)
            d.group = given.group;
        if (SecurityInformation & DACL_SECURITY_INFORMATION) {
            d.dacl = given.dacl;
            d.daclPresent = given.daclPresent;
        }
        if (SecurityInformation & SACL_SECURITY_INFORMATION) {
            d.sacl = given.sacl;
            d.saclPresent = given.saclPresent;
        }
        g_descriptors[ref.FullName()] = d;
    }
    NotifyChange(ref, REG_NOTIFY_CHANGE_SECURITY);
    return ERROR_SUCCESS;
}
