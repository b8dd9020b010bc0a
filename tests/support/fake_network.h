// A network for tests, put in the place of the layer's `Network` by
// UseFakeNetwork and given back by RestoreNetwork. It knows domains, the
// servers of each domain, the shares of each server, the local domain and
// domain controllers; a name it lacks, or an error set for it, fails as a
// real network fails. Every question asked is logged in `asked`.
//
//   UseFakeNetwork();
//   FakeNet.servers["DOM"] = {"SRV01", "SRV02"};
//   FakeNet.shares["SRV01"] = {{"DATA", STYPE_DISKTREE, ""}, {"C$", STYPE_DISKTREE | STYPE_SPECIAL, ""}};
//   FakeNet.errors["shares SRV02"] = ERROR_BAD_NETPATH;   // "shares", "share", "servers", "domains" ...
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/posix/network_backend.h"

struct FakeNetwork {
  std::vector<std::string> domains;                           // the browse list's domains
  std::map<std::string, std::vector<std::string>> servers;    // by domain
  std::map<std::string, std::vector<NetShare>> shares;        // by server
  std::string localDomain = "WORKGROUP";
  std::map<std::string, std::string> controllers;             // by "server domain" ("" the local machine)
  std::map<std::string, DWORD> errors;                        // by question, as logged
  std::vector<std::string> asked;  // "domains", "servers DOM", "shares SRV", "share SRV DATA", "local", "dc SRV DOM"
};

extern FakeNetwork FakeNet;

// Empties FakeNet and serves the layer's calls from it.
void UseFakeNetwork();
// Gives the layer its own network back.
void RestoreNetwork();
