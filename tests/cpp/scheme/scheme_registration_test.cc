#include <stdlib.h>

#include <gtest/gtest.h>

#include <string>

#include "cefsim/inspection_api/cefsim_inspect.h"
#include "include/cef_scheme.h"
#include "scheme/plovex_client_scheme_handler.h"
#include "scheme/scheme_registration.h"
#include "test_support/cef_thread.h"
#include "test_support/temp_dir.h"
#include "test_support/zip_writer.h"

namespace zubrix {
namespace {

using cefsim_inspect::LoadedResource;
using cefsim_inspect::LoadResource;

class SchemeRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override { zubrix::RegisterSchemeHandlerFactories(); }
  void TearDown() override { CefClearSchemeHandlerFactories(); }
};

// As the loader asks for it, on CEF's IO thread.
CefRefPtr<CefResourceHandler> HandlerFor(const std::string& url) {
  CefRefPtr<CefResourceHandler> handler;
  test_support::RunOnCefThread(TID_IO, [&]() {
    handler = cefsim_inspect::SchemeHandlerFor(url);
  });
  return handler;
}

TEST_F(SchemeRegistrationTest, EveryClientRequestGetsAFreshHandler) {
  CefRefPtr<CefResourceHandler> internal =
      HandlerFor("client://internal/index.html");
  CefRefPtr<CefResourceHandler> archive =
      HandlerFor("client://plovex/D:/a.plovex/index.html");
  CefRefPtr<CefResourceHandler> unroutable = HandlerFor("client://other/x");
  ASSERT_TRUE(internal && archive && unroutable);
  EXPECT_NE(internal.get(), archive.get());
  EXPECT_TRUE(dynamic_cast<PlovexClientSchemeHandler*>(internal.get()));
  EXPECT_TRUE(dynamic_cast<PlovexClientSchemeHandler*>(archive.get()));
  EXPECT_FALSE(HandlerFor("http://internal/index.html"));
  // Registering again, as a second Initialize does, changes nothing visible.
  zubrix::RegisterSchemeHandlerFactories();
  EXPECT_TRUE(HandlerFor("client://internal/index.html"));
}

// The whole path a page's request takes: the loader on CEF's IO thread asks
// the registered factory and drives the handler it gets.
TEST_F(SchemeRegistrationTest, LoaderServesFolderFilesAndArchiveEntries) {
  cefsim_inspect::StartThread(TID_IO);
  cefsim_inspect::StartThread(TID_FILE);
  test_support::TempDir dir;
  dir.WriteFile("content/index.html", "<script src=app.js></script>");
  std::string archive = dir.Path("panel.plovex");
  test_support::WriteZip(archive, {{"app.js", "var a;"}});
  setenv("CEF_PLOVEX_INTERNAL", dir.Path("content").c_str(), 1);

  LoadedResource page = LoadResource("client://internal/index.html");
  EXPECT_TRUE(page.ok);
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.mime_type, "text/html");
  EXPECT_EQ(page.body, "<script src=app.js></script>");

  LoadedResource script = LoadResource("client://plovex/" + archive + "/app.js");
  EXPECT_TRUE(script.ok);
  EXPECT_EQ(script.mime_type, "application/javascript");
  EXPECT_EQ(script.body, "var a;");

  LoadedResource refused = LoadResource("client://elsewhere/index.html");
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.error, ERR_ABORTED);

  unsetenv("CEF_PLOVEX_INTERNAL");
  cefsim_inspect::StopThread(TID_IO);
  cefsim_inspect::StopThread(TID_FILE);
}

}  // namespace
}  // namespace zubrix
