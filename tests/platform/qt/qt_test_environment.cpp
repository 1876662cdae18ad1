// Gives every Qt test program its QApplication for the whole run, before the first test and
// after the last. Linked in as an object library, so registering is enough.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class QtEnvironment : public testing::Environment {
  public:
    void SetUp() override { application = std::make_unique<QApplication>(argc, argv); }
    void TearDown() override { application.reset(); }

  private:
    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
