// The run's one libsmbclient context. Samba's client reads its configuration
// as its own tools do ($HOME/.smb/smb.conf, else the system's smb.conf).
// Credentials: a Kerberos ticket cache when there is one (falling back to a
// password logon), else USER ("DOMAIN\user%password", the password also from
// PASSWD), else anonymous; the library itself logs on anonymously when the
// given user is refused. Nothing ever prompts. Samba's debug messages are
// dropped: keltro's output carries its own lines only.
#include "platform/posix/smb_context.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/posix/layer.h"

namespace {

// A server that accepts a connection but never answers costs this long per request.
constexpr int kTimeoutMilliseconds = 5000;

constexpr char kLibrary[] = "libsmbclient.so.0";

SMBCCTX* Context = nullptr;
DWORD ContextError = ERROR_SUCCESS;

// Fills Smb from the library; false when it or one of its calls is missing.
bool LoadSmbApi() {
  void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (!library) return false;
  bool complete = true;
#define KELTRO_SMB_LOAD(name)                                                             \
  Smb.name = reinterpret_cast<decltype(Smb.name)>(dlsym(library, "smbc_" #name)); \
  complete = complete && Smb.name != nullptr;
  KELTRO_SMB_CALLS(KELTRO_SMB_LOAD)
#undef KELTRO_SMB_LOAD
  return complete;
}

struct Credentials {
  std::string domain, user, password;
};

// USER as Samba's clients read it: "DOMAIN\user%password" (or "DOMAIN/user"),
// every part but the user optional; PASSWD gives a password USER lacks.
Credentials CredentialsFromEnvironment() {
  Credentials credentials;
  const char* user = getenv("USER");
  std::string text = user ? user : "";
  size_t percent = text.find('%');
  if (percent != std::string::npos) {
    credentials.password = text.substr(percent + 1);
    text.resize(percent);
  } else if (const char* password = getenv("PASSWD")) {
    credentials.password = password;
  }
  size_t separator = text.find_first_of("\\/");
  if (separator != std::string::npos) {
    credentials.domain = text.substr(0, separator);
    text.erase(0, separator + 1);
  }
  credentials.user = text;
  return credentials;
}

void PutText(char* area, int capacity, const std::string& text) {
  if (capacity > 0) CopyTruncated(area, (size_t)capacity, text);
}

// Asked for each server: the same credentials for all; a domain the
// environment does not name leaves the configured workgroup.
void GiveCredentials(SMBCCTX*, const char*, const char*, char* workgroup, int workgroupLength, char* user,
                     int userLength, char* password, int passwordLength) {
  Credentials credentials = CredentialsFromEnvironment();
  if (!credentials.domain.empty()) PutText(workgroup, workgroupLength, credentials.domain);
  PutText(user, userLength, credentials.user);
  PutText(password, passwordLength, credentials.password);
}

void DropMessage(void*, int, const char*) {}

}  // namespace

SMBCCTX* NewSmbContext() {
  SMBCCTX* context = Smb.new_context();
  if (!context) return nullptr;
  Smb.setDebug(context, 0);
  Smb.setOptionDebugToStderr(context, 1);
  Smb.setLogCallback(context, nullptr, DropMessage);
  Smb.setTimeout(context, kTimeoutMilliseconds);
  Smb.setFunctionAuthDataWithContext(context, GiveCredentials);
  bool kerberos = HasTicketCache();
  Smb.setOptionUseKerberos(context, kerberos);
  Smb.setOptionFallbackAfterKerberos(context, 1);
  Smb.setOptionUseCCache(context, kerberos);
  Smb.setOptionFullTimeNames(context, 1);  // system.dos_attr.* names the creation time too
  if (Smb.init_context(context)) return context;
  Smb.free_context(context, 1);
  return nullptr;
}

SmbApi Smb;

bool HasTicketCache() {
  if (getenv("KRB5CCNAME")) return true;
  std::string file = "/tmp/krb5cc_" + std::to_string(getuid());
  return access(file.c_str(), R_OK) == 0;
}

bool HasPasswordFromEnvironment() { return !CredentialsFromEnvironment().password.empty(); }

std::string ClientConfigFile() {
  const char* home = getenv("HOME");
  std::string file = std::string(home ? home : "") + "/.smb/smb.conf";
  return home && access(file.c_str(), R_OK) == 0 ? file : std::string();
}

SMBCCTX* SmbContext(DWORD& error) {
  if (!Context && ContextError == ERROR_SUCCESS) {
    if (!LoadSmbApi()) {
      error = ContextError = ERROR_NOT_SUPPORTED;
      return nullptr;
    }
    Context = NewSmbContext();
    if (!Context) ContextError = errno == ENOMEM ? ERROR_NOT_ENOUGH_MEMORY : ERROR_NOT_SUPPORTED;
  }
  error = ContextError;
  return Context;
}

// Connection failures read as Windows gives them: a server that cannot be
// reached is a network path not found (53), a share it lacks a network name
// not found (67, libsmbclient's ENODEV).
DWORD SmbError(int err) {
  switch (err) {
    case ETIMEDOUT:
    case ECONNREFUSED:
    case ECONNRESET:
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
      return ERROR_BAD_NETPATH;
    case ENODEV:
      return ERROR_BAD_NET_NAME;
  }
  return Win32ErrorFromErrno(err);
}
