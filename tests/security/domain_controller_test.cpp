// The controller of another domain, as the local domain's primary controller names it.
#include "security/domain_controller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_network.h"

namespace {

TEST(FindDomainController, AsksThePrimaryControllerOfTheOwnDomainForTheOtherDomainsController) {
  UseFakeNetwork();
  WCHAR controller[ControllerNameCapacity];
  EXPECT_EQ(FindDomainController(u"", controller), 0u);
  EXPECT_EQ(controller[0], 0);
  EXPECT_TRUE(FakeNet.asked.empty());

  FakeNet.controllers[" "] = "\\\\PDC";
  FakeNet.controllers["PDC OTHERDOM"] = "\\\\A-CONTROLLER-NAMED-LONGER-THAN-23";
  EXPECT_EQ(FindDomainController(u"OTHERDOM", controller), 0u);
  EXPECT_EQ(std::u16string(controller), u"\\\\A-CONTROLLER-NAMED-LO");  // 23 units kept
  EXPECT_EQ(FakeNet.asked, (std::vector<std::string>{"dc  ", "dc PDC OTHERDOM"}));

  EXPECT_EQ(FindDomainController(u"NODC", controller), (DWORD)NERR_DCNotFound);
  EXPECT_EQ(controller[0], 0);
  FakeNet.errors["dc  "] = ERROR_BAD_NETPATH;  // the own domain has no controller either
  EXPECT_EQ(FindDomainController(u"OTHERDOM", controller), (DWORD)ERROR_BAD_NETPATH);
  RestoreNetwork();
}

}  // namespace
