// Each test gets its own internal content folder, named by the environment
// as the host would name it.
#ifndef ZUBRIX_TESTS_CPP_SCHEME_INTERNAL_FOLDER_FIXTURE_H_
#define ZUBRIX_TESTS_CPP_SCHEME_INTERNAL_FOLDER_FIXTURE_H_

#include <stdlib.h>

#include <gtest/gtest.h>

#include <string>

#include "scheme/not_found_page.h"
#include "scheme_handler_driver.h"
#include "test_support/temp_dir.h"

namespace zubrix {

class InternalFolderRouteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = root_.MakeFolder("content");
    setenv("CEF_PLOVEX_INTERNAL", folder_.c_str(), 1);
  }
  void TearDown() override { unsetenv("CEF_PLOVEX_INTERNAL"); }

  void ExpectNotFound(const ServedRequest& served, const std::string& name) {
    EXPECT_TRUE(served.taken);
    EXPECT_EQ(served.continued, 1);
    EXPECT_EQ(served.status, 200);
    EXPECT_EQ(served.mime_type, "text/html");
    EXPECT_EQ(served.body, NotFoundPage(name));
    EXPECT_EQ(served.length, static_cast<int64>(served.body.size()));
  }

  test_support::TempDir root_;
  std::string folder_;
};

}  // namespace zubrix

#endif  // ZUBRIX_TESTS_CPP_SCHEME_INTERNAL_FOLDER_FIXTURE_H_
