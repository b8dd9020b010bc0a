// The child loads libnetapi, logs on anonymously (libnetapi would prompt for
// a password otherwise; with a Kerberos ticket cache that is used), asks,
// and writes its status (4 bytes) and the controller's name on the pipe.
#include "platform/posix/netapi_controller.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "platform/posix/child_process.h"
#include "platform/posix/layer_state.h"
#include "platform/posix/smb_context.h"
#include "platform/win32_network.h"

namespace {

constexpr int kTimeoutMilliseconds = 3000;
constexpr char kLibrary[] = "libnetapi.so.1";
constexpr uint32_t kNoLibrary = 0xFFFFFFFF;

struct Question {
  std::string server, domain;
};

struct NetApi {
  uint32_t (*init)(void** context);
  uint32_t (*setUsername)(void* context, const char* name);
  uint32_t (*setPassword)(void* context, const char* password);
  uint32_t (*setUseCCache)(void* context);
  uint32_t (*getDCName)(const char* server, const char* domain, uint8_t** buffer);
};

bool LoadNetApi(NetApi& api) {
  void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
  if (!library) return false;
  api.init = reinterpret_cast<decltype(api.init)>(dlsym(library, "libnetapi_init"));
  api.setUsername = reinterpret_cast<decltype(api.setUsername)>(dlsym(library, "libnetapi_set_username"));
  api.setPassword = reinterpret_cast<decltype(api.setPassword)>(dlsym(library, "libnetapi_set_password"));
  api.setUseCCache = reinterpret_cast<decltype(api.setUseCCache)>(dlsym(library, "libnetapi_set_use_ccache"));
  api.getDCName = reinterpret_cast<decltype(api.getDCName)>(dlsym(library, "NetGetDCName"));
  return api.init && api.setUsername && api.setPassword && api.setUseCCache && api.getDCName;
}

void WriteAll(int out, const void* data, size_t length) {
  const char* at = static_cast<const char*>(data);
  while (length > 0) {
    ssize_t written = write(out, at, length);
    if (written <= 0) return;
    at += written;
    length -= (size_t)written;
  }
}

// Runs in the child.
void AskInChild(int out, const void* argument) {
  const Question& question = *static_cast<const Question*>(argument);
  NetApi api;
  void* context = nullptr;
  uint32_t status = kNoLibrary;
  uint8_t* name = nullptr;
  if (LoadNetApi(api) && api.init(&context) == 0) {
    api.setUsername(context, "");
    api.setPassword(context, "");
    if (HasTicketCache()) api.setUseCCache(context);
    status = api.getDCName(question.server.empty() ? nullptr : question.server.c_str(),
                           question.domain.empty() ? nullptr : question.domain.c_str(), &name);
  }
  WriteAll(out, &status, sizeof status);
  if (status == 0 && name) WriteAll(out, name, strlen(reinterpret_cast<const char*>(name)));
}

// The answer as the child's output gives it: the status (4 bytes), then the name.
std::string Ask(const std::string& server, const std::string& domain) {
  Question question{server, domain};
  std::string output;
  ChildEnd end = RunInChild(AskInChild, &question, kTimeoutMilliseconds, output);
  uint32_t status = end == ChildEnd::TimedOut ? ERROR_BAD_NETPATH : NERR_DCNotFound;
  bool named = output.size() > sizeof status && output.compare(0, sizeof status, "\0\0\0\0", 4) == 0;
  if (end == ChildEnd::Exited && named) return output;
  return std::string(reinterpret_cast<const char*>(&status), sizeof status);
}

}  // namespace

DWORD AskDomainController(const std::string& server, const std::string& domain, std::string& controller) {
  std::string& kept = Layer.domainControllers[server + '\n' + domain];
  if (kept.empty()) kept = Ask(server, domain);
  uint32_t status;
  memcpy(&status, kept.data(), sizeof status);
  controller = kept.substr(sizeof status);
  return status;
}
