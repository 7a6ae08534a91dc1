#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <memory>

namespace support {
namespace {

class ApplicationEnvironment : public ::testing::Environment {
 public:
  toolkit::TApplication& Application() { return *FApplication; }
  void TearDown() override { FApplication.reset(); }

 private:
  std::unique_ptr<toolkit::TApplication> FApplication = std::make_unique<toolkit::TApplication>();
};

}  // namespace

toolkit::TApplication& TestApplication() {
  static auto* environment = static_cast<ApplicationEnvironment*>(
      ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment));
  return environment->Application();
}

}  // namespace support
