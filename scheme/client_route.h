// Where the path of a "client" URL leads: an entry of a content archive, a
// file below the internal content folder, or nowhere.
#ifndef ZUBRIX_SCHEME_CLIENT_ROUTE_H_
#define ZUBRIX_SCHEME_CLIENT_ROUTE_H_

#include <string>

#include "include/cef_base.h"

namespace zubrix {

struct ClientRoute {
  enum class Kind { kNone, kArchive, kFolder };
  Kind kind = Kind::kNone;

  // Archive route. A path with ".plovex" but no ".plovex/" names no entry,
  // nor does one holding a NUL.
  std::string archive_path;
  bool has_entry_name = false;
  std::string entry_name;

  // Folder route: the path's pieces after "internal", joined with "/".
  std::string relative_path;
};

// |url_path| is the URL's path part in UTF-8, exactly as the URL has it. Its
// percent escapes are decoded first (see DecodePathEscapes); every test is
// then made on the decoded path, case-sensitively, and the route's names are
// decoded.
ClientRoute RouteClientPath(const std::string& url_path);

// The route of |url|, a canonical URL as CEF hands it to a resource handler:
// that of RouteClientPath(PathOfCanonicalUrl(url)), found without copying
// the path first where the path allows.
ClientRoute RouteClientUrl(const CefString& url);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_CLIENT_ROUTE_H_
