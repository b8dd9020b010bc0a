#include "support/fake_network.h"

FakeNetwork FakeNet;

namespace {

NetworkBackend SavedNetwork;

// Logs the question; the error set for it, else `missing` when `known` is false, else 0.
DWORD Ask(const std::string& question, bool known, DWORD missing) {
  FakeNet.asked.push_back(question);
  auto error = FakeNet.errors.find(question);
  if (error != FakeNet.errors.end()) return error->second;
  return known ? 0 : missing;
}

DWORD ListShares(const std::string& server, std::vector<NetShare>& shares) {
  auto found = FakeNet.shares.find(server);
  DWORD status = Ask("shares " + server, found != FakeNet.shares.end(), ERROR_BAD_NETPATH);
  if (status == 0) shares = found->second;
  return status;
}

DWORD ShareInfo(const std::string& server, const std::string& name, NetShare& info) {
  auto found = FakeNet.shares.find(server);
  DWORD status = Ask("share " + server + " " + name, found != FakeNet.shares.end(), ERROR_BAD_NETPATH);
  if (status != 0) return status;
  for (const NetShare& share : found->second) {
    if (share.name == name) {
      info = share;
      return 0;
    }
  }
  return NERR_NetNameNotFound;
}

DWORD ListServers(DWORD type, const std::string& domain, std::vector<std::string>& names) {
  if (type == SV_TYPE_DOMAIN_ENUM) {
    DWORD status = Ask("domains", true, 0);
    if (status == 0) names = FakeNet.domains;
    return status;
  }
  auto found = FakeNet.servers.find(domain);
  DWORD status = Ask("servers " + domain, found != FakeNet.servers.end(), ERROR_NO_BROWSER_SERVERS_FOUND);
  if (status == 0) names = found->second;
  return status;
}

DWORD LocalDomain(std::string& domain) {
  DWORD status = Ask("local", true, 0);
  if (status == 0) domain = FakeNet.localDomain;
  return status;
}

DWORD DomainController(const std::string& server, const std::string& domain, std::string& controller) {
  auto found = FakeNet.controllers.find(server + " " + domain);
  DWORD status = Ask("dc " + server + " " + domain, found != FakeNet.controllers.end(), NERR_DCNotFound);
  if (status == 0) controller = found->second;
  return status;
}

}  // namespace

void UseFakeNetwork() {
  if (Network.listShares != ListShares) SavedNetwork = Network;
  FakeNet = FakeNetwork();
  Network = NetworkBackend{ListShares, ShareInfo, ListServers, LocalDomain, DomainController};
}

void RestoreNetwork() {
  if (Network.listShares == ListShares) Network = SavedNetwork;
}
