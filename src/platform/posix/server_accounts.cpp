// A server's LSA asked through Samba's rpcclient (libsmbclient has no LSA
// call of its own), one child for each question the run has not asked that
// server yet:
//
//   rpcclient [-s $HOME/.smb/smb.conf] CREDENTIALS -c 'lookupnames "NAME"' -- SERVER
//   rpcclient [-s $HOME/.smb/smb.conf] CREDENTIALS -c 'lookupsids S-1-...' -- SERVER
//
// Credentials as the SMB context takes them: a ticket cache or a password
// from USER or PASSWD is given first (rpcclient reads those variables
// itself), and a refused logon is tried again anonymously; without either
// the logon is anonymous. The child has no terminal and its output is read
// by the layer; it may take 5 seconds before it is killed. Every answer, and
// a server that cannot be asked, is kept for the run.
#include "platform/posix/server_accounts.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/child_process.h"
#include "platform/posix/layer.h"
#include "platform/posix/share_files.h"
#include "platform/posix/sid_text.h"
#include "platform/posix/smb_context.h"

namespace {

constexpr int kTimeoutMilliseconds = 5000;

std::map<std::string, ServerAccount>& Answers = Layer.serverLookups;

std::string WithoutBackslashes(const std::string& server) {
  size_t start = server.find_first_not_of('\\');
  return start == std::string::npos ? std::string() : server.substr(start);
}

std::string Upper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = UpperAscii(c);
  return upper;
}

// What rpcclient's output says went wrong.
DWORD FailureOf(const std::string& output) {
  if (output.find("NT_STATUS_NONE_MAPPED") != std::string::npos) return ERROR_NONE_MAPPED;
  if (output.find("NT_STATUS_ACCESS_DENIED") != std::string::npos ||
      output.find("NT_STATUS_LOGON_FAILURE") != std::string::npos)
    return ERROR_ACCESS_DENIED;
  return ERROR_BAD_NETPATH;
}

std::vector<std::string> RpcClientCommand(bool anonymous, const std::string& command, const std::string& server) {
  std::vector<std::string> argv = {"rpcclient"};
  std::string config = ClientConfigFile();
  if (!config.empty()) argv.insert(argv.end(), {"-s", config});
  if (anonymous) {
    argv.push_back("--user=%");
  } else {
    if (HasTicketCache()) argv.push_back("--use-kerberos=desired");
    if (!HasPasswordFromEnvironment()) argv.push_back("--no-pass");
  }
  argv.insert(argv.end(), {"-c", command, "--", server});
  return argv;
}

// One command of rpcclient on server: 0 with what it printed, or why not.
DWORD RunRpcClient(const std::string& server, const std::string& command, std::string& output) {
  bool credentials = HasPasswordFromEnvironment() || HasTicketCache();
  DWORD err = ERROR_ACCESS_DENIED;
  for (int anonymous = credentials ? 0 : 1; anonymous < 2 && err == ERROR_ACCESS_DENIED; anonymous++) {
    int status = 0;
    if (RunChild(RpcClientCommand(anonymous, command, server), kTimeoutMilliseconds, output, status) !=
        ChildEnd::Exited)
      return ERROR_BAD_NETPATH;
    err = status == 0 && output.find("result was NT_STATUS") == std::string::npos ? ERROR_SUCCESS
                                                                                   : FailureOf(output);
  }
  return err;
}

// The line of output that begins with prefix, without it.
bool LineAfter(const std::string& output, const std::string& prefix, std::string& rest) {
  size_t at = 0;
  while (at < output.size()) {
    size_t end = output.find('\n', at);
    if (end == std::string::npos) end = output.size();
    if (output.compare(at, prefix.size(), prefix) == 0) {
      rest = output.substr(at + prefix.size(), end - at - prefix.size());
      return true;
    }
    at = end + 1;
  }
  return false;
}

// "WHAT (TYPE: 1)" or "WHAT (1)": WHAT and the number of its type.
bool SplitType(const std::string& text, std::string& what, SID_NAME_USE& use) {
  if (text.size() < 4 || text.back() != ')') return false;
  size_t open = text.rfind(" (");
  size_t digits = text.find_last_not_of("0123456789", text.size() - 2);
  if (open == std::string::npos || digits == std::string::npos || digits + 2 >= text.size())
    return false;
  what = text.substr(0, open);
  use = (SID_NAME_USE)atoi(text.c_str() + digits + 1);
  return true;
}

bool IsMapped(SID_NAME_USE use) { return use != SidTypeInvalid && use != SidTypeUnknown; }

// lookupsids: "S-1-22-1-0 Unix User\root (1)".
DWORD AskSid(const std::string& server, const std::string& sidText, ServerAccount& account) {
  std::string output, rest, named;
  if (DWORD err = RunRpcClient(server, "lookupsids " + sidText, output)) return err;
  if (!LineAfter(output, sidText + " ", rest) || !SplitType(rest, named, account.use) || !IsMapped(account.use))
    return ERROR_NONE_MAPPED;
  size_t slash = named.find('\\');
  account.domain = AnsiNameOf(slash == std::string::npos ? std::string() : named.substr(0, slash));
  account.name = AnsiNameOf(named.substr(slash + 1));
  account.sid = SidOfText(sidText);
  return ERROR_SUCCESS;
}

// lookupnames: "root S-1-22-1-0 (User: 1)"; then the SID's own lookup names
// its domain. No account name holds a quote, a semicolon (which would end
// rpcclient's command) or a line break.
DWORD AskName(const std::string& server, const std::string& name, ServerAccount& account) {
  std::string utf8 = Utf8NameOf(name), output, rest, sidText;
  if (name.empty() || name.find_first_of("\";\r\n") != std::string::npos) return ERROR_NONE_MAPPED;
  if (DWORD err = RunRpcClient(server, "lookupnames \"" + utf8 + "\"", output)) return err;
  SID_NAME_USE use;
  if (!LineAfter(output, utf8 + " ", rest) || !SplitType(rest, sidText, use) || !IsMapped(use) ||
      SidOfText(sidText).empty())
    return ERROR_NONE_MAPPED;
  if (DWORD err = AskSid(server, sidText, account)) return err;
  account.use = use;
  return ERROR_SUCCESS;
}

// The kept answer to `question` on server, else the one asked for now.
template <typename Ask>
DWORD Answer(const std::string& server, const std::string& question, ServerAccount& account, Ask ask) {
  std::string name = WithoutBackslashes(server), key = Upper(name);
  auto unreachable = Answers.find(key);
  if (unreachable != Answers.end()) return unreachable->second.error;
  auto known = Answers.find(key + '\n' + question);
  if (known == Answers.end()) {
    ServerAccount asked;
    asked.error = name.empty() ? ERROR_BAD_NETPATH : ask(name, asked);
    if (asked.error == ERROR_BAD_NETPATH) Answers[key] = asked;
    known = Answers.emplace(key + '\n' + question, asked).first;
  }
  account = known->second;
  return account.error;
}

}  // namespace

DWORD LookupNameOnServer(const std::string& server, const std::string& name, ServerAccount& account) {
  return Answer(server, "N" + Upper(name), account,
                [&](const std::string& host, ServerAccount& asked) { return AskName(host, name, asked); });
}

DWORD LookupSidOnServer(const std::string& server, PSID sid, ServerAccount& account) {
  std::string sidText = TextOfSid(sid);
  return Answer(server, "S" + sidText, account,
                [&](const std::string& host, ServerAccount& asked) { return AskSid(host, sidText, asked); });
}
