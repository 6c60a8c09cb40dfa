#include "cefsim/src/url/fragments.h"

namespace cefsim {
namespace {

std::string WithoutFragment(const std::string& url) {
  return url.substr(0, url.find('#'));
}

}  // namespace

bool IsFragmentNavigation(const std::string& document_url,
                          const std::string& target) {
  return !document_url.empty() && target.find('#') != std::string::npos &&
         WithoutFragment(document_url) == WithoutFragment(target);
}

std::string WithFragment(const std::string& document_url,
                         const std::string& fragment) {
  std::string bare = fragment.empty() || fragment[0] != '#'
                         ? fragment
                         : fragment.substr(1);
  return WithoutFragment(document_url) + "#" + bare;
}

std::string FragmentOf(const std::string& url) {
  size_t hash = url.find('#');
  if (hash == std::string::npos || hash + 1 == url.size())
    return std::string();
  return url.substr(hash);
}

}  // namespace cefsim
