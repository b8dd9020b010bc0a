// Owners and DACLs of files on shares, read and set through libsmbclient's
// system.nt_sec_desc.* attribute: once with SIDs
// ("OWNER:S-1-22-1-0,...,ACL:S-1-1-0:0/0/0x001f01ff"), and, for SIDs the run
// has not met on that server yet, once more with the names the server gives
// them ("OWNER:Unix User\root,..."). The names are kept per server for the
// run, so LookupAccountSidA on that server names every SID its descriptors
// hold without another request.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/layer.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/nt_acl.h"
#include "platform/posix/security_descriptor.h"
#include "platform/posix/share_files.h"
#include "platform/posix/sid_text.h"

namespace {

// Server (upper case, no backslashes) -> SID bytes -> the server's name for it.
std::map<std::string, std::map<std::string, ServerAccountName>>& LearnedNames = Layer.serverAccountNames;

// The items of a descriptor text: the SID (or name) of the owner, the group
// and each entry, in order, and each entry's "type/flags/mask".
struct DescriptorText {
  std::vector<std::string> accounts;  // owner, group, then one per entry
  std::vector<std::string> entries;
};

bool ParseDescriptorText(const std::string& text, DescriptorText& parsed) {
  std::string owner, group;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(',', start);
    if (end == std::string::npos) end = text.size();
    std::string item = text.substr(start, end - start);
    start = end + 1;
    size_t colon = item.find(':');
    if (colon == std::string::npos) return false;
    std::string key = item.substr(0, colon), value = item.substr(colon + 1);
    if (key == "OWNER") owner = value;
    if (key == "GROUP") group = value;
    if (key != "ACL") continue;
    size_t last = value.rfind(':');
    if (last == std::string::npos) return false;
    parsed.accounts.push_back(value.substr(0, last));
    parsed.entries.push_back(value.substr(last + 1));
  }
  parsed.accounts.insert(parsed.accounts.begin(), {owner, group});
  return true;
}

// "0/0/0x001f01ff": type, flags and mask, each decimal or hex.
bool ParseEntry(const std::string& text, AceEntry& entry) {
  char* end;
  entry.type = (BYTE)strtoul(text.c_str(), &end, 0);
  if (*end != '/') return false;
  entry.flags = (BYTE)strtoul(end + 1, &end, 0);
  if (*end != '/') return false;
  entry.mask = (DWORD)strtoul(end + 1, &end, 0);
  return *end == '\0';
}

std::string ServerKey(const std::string& server) {
  std::string key;
  for (char c : server) {
    if (c != '\\') key += UpperAscii(c);
  }
  return key;
}

// The server of a share path: "\\srv\pub\x" gives "srv".
std::string ServerOf(const std::string& full) { return full.substr(2, full.find('\\', 2) - 2); }

// The text of an attribute (libsmbclient answers 0, not its length).
DWORD ReadAttribute(SMBCCTX* context, const std::string& url, const char* name, std::string& value) {
  static char buffer[1 << 16];
  memset(buffer, 0, sizeof buffer);
  if (Smb.getFunctionGetxattr(context)(context, url.c_str(), name, buffer, sizeof buffer - 1) < 0)
    return SmbError(errno);
  value = buffer;
  return ERROR_SUCCESS;
}

// Asks the server for the names of sids when one of them is new.
void LearnNames(SMBCCTX* context, const std::string& url, const std::string& server,
                const std::vector<std::string>& sids) {
  std::map<std::string, ServerAccountName>& known = LearnedNames[server];
  bool allKnown = true;
  for (const std::string& sid : sids) allKnown = allKnown && (sid.empty() || known.count(sid));
  std::string text;
  DescriptorText named;
  if (allKnown || ReadAttribute(context, url, "system.nt_sec_desc.*+", text) ||
      !ParseDescriptorText(text, named) || named.accounts.size() != sids.size())
    return;
  for (size_t i = 0; i < sids.size(); i++) {
    const std::string& name = named.accounts[i];
    size_t slash = name.find('\\');
    ServerAccountName account{slash == std::string::npos ? "" : name.substr(0, slash), name.substr(slash + 1)};
    if (!sids[i].empty() && !name.empty()) known[sids[i]] = account;
  }
}

// The DACL as libsmbclient's text: "ACL:S-1-1-0:0/0/2032127,..." (masks in
// decimal: the library reads hex ones back as 0). The null DACL (or none)
// is written as full access for Everyone; a DACL without entries, or with entries other
// than allowed and denied ones, cannot be written (50).
DWORD DaclText(const DescriptorParts& parts, std::string& text) {
  std::vector<AceEntry> entries;
  if (!parts.daclPresent || !parts.dacl) {
    entries.push_back({ACCESS_ALLOWED_ACE_TYPE, 0, 0x1F01FF, kEveryoneSid});
  } else if (!EntriesOfAcl(parts.dacl, entries)) {
    return ERROR_INVALID_ACL;
  }
  if (entries.empty()) return ERROR_NOT_SUPPORTED;
  text = "REVISION:1";
  for (const AceEntry& entry : entries) {
    if (!entry.sid) return ERROR_NOT_SUPPORTED;
    text += ",ACL:" + TextOfSid(entry.sid) + ":" + std::to_string(entry.type) + "/" + std::to_string(entry.flags) +
            "/" + std::to_string(entry.mask);
  }
  return ERROR_SUCCESS;
}

DWORD WriteAttribute(SMBCCTX* context, const std::string& url, const char* name, const std::string& value) {
  if (Smb.getFunctionSetxattr(context)(context, url.c_str(), name, value.data(), value.size(), 0) == 0)
    return ERROR_SUCCESS;
  return errno == EPERM ? ERROR_ACCESS_DENIED : SmbError(errno);
}

}  // namespace

DWORD WriteShareDescriptor(const std::string& full, SECURITY_INFORMATION info, const DescriptorParts& parts) {
  std::string url, dacl;
  DWORD err = ShareUrl(full, url);
  SMBCCTX* context = err ? nullptr : SmbContext(err);
  if (!context) return err;
  if ((info & DACL_SECURITY_INFORMATION) && (err = DaclText(parts, dacl))) return err;
  if ((info & OWNER_SECURITY_INFORMATION) && parts.owner &&
      (err = WriteAttribute(context, url, "system.nt_sec_desc.owner", TextOfSid(parts.owner))))
    return err;
  if ((info & GROUP_SECURITY_INFORMATION) && parts.group &&
      (err = WriteAttribute(context, url, "system.nt_sec_desc.group", TextOfSid(parts.group))))
    return err;
  if (!dacl.empty()) return WriteAttribute(context, url, "system.nt_sec_desc.*", dacl);
  return ERROR_SUCCESS;
}

DWORD ReadShareDescriptor(const std::string& full, std::string& descriptor) {
  std::string url, text;
  DWORD err = ShareUrl(full, url);
  if (err) return err;
  SMBCCTX* context = SmbContext(err);
  if (!context) return err;
  if ((err = ReadAttribute(context, url, "system.nt_sec_desc.*", text))) return err;
  DescriptorText parsed;
  if (!ParseDescriptorText(text, parsed)) return ERROR_INVALID_SECURITY_DESCR;
  std::vector<std::string> sids;
  for (const std::string& account : parsed.accounts) sids.push_back(SidOfText(account));
  std::vector<AceEntry> entries(parsed.entries.size());
  for (size_t i = 0; i < entries.size(); i++) {
    if (!ParseEntry(parsed.entries[i], entries[i]) || sids[i + 2].empty()) return ERROR_INVALID_SECURITY_DESCR;
    entries[i].sid = sids[i + 2].data();
  }
  LearnNames(context, url, ServerKey(ServerOf(full)), sids);
  std::string acl = AclOfEntries(entries);
  DescriptorParts parts{0, sids[0].empty() ? nullptr : sids[0].data(), sids[1].empty() ? nullptr : sids[1].data(),
                        true, reinterpret_cast<const ACL*>(acl.data())};
  DWORD needed = 0;
  SECURITY_INFORMATION all = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  WriteSelfRelative(parts, all, nullptr, 0, needed);
  descriptor.assign(needed, '\0');
  return WriteSelfRelative(parts, all, descriptor.data(), needed, needed);
}

DWORD NameSidOfServer(const char* server, PSID sid, std::string& domain, std::string& name) {
  auto known = LearnedNames.find(ServerKey(server));
  if (known == LearnedNames.end()) return ERROR_BAD_NETPATH;
  auto found = known->second.find(std::string(static_cast<const char*>(sid), GetLengthSid(sid)));
  if (found == known->second.end()) return ERROR_NONE_MAPPED;
  domain = found->second.domain;
  name = found->second.name;
  return ERROR_SUCCESS;
}
