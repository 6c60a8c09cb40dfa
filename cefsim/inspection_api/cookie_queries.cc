// What tests see of the global cookie store.
#include "cefsim/src/cookies/cookie_store.h"
#include "cefsim/inspection_api/cefsim_inspect.h"

namespace cefsim_inspect {

std::vector<CefCookie> Cookies() {
  std::vector<CefCookie> result;
  for (const cefsim::CanonicalCookie& cookie :
       cefsim::GlobalCookieStore()->Cookies())
    result.push_back(cookie.ToCefCookie());
  return result;
}

}  // namespace cefsim_inspect
