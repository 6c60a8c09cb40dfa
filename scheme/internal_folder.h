// The internal content folder and what may be read below it.
#ifndef ZUBRIX_SCHEME_INTERNAL_FOLDER_H_
#define ZUBRIX_SCHEME_INTERNAL_FOLDER_H_

#include <string>

namespace zubrix {

// The value of CEF_PLOVEX_INTERNAL at this moment, whole; empty when unset.
// Read anew at every call, so that a change shows at the next request; the
// text is the environment's own, valid until the environment changes.
const char* InternalContentFolder();

// True when the ".." pieces of |relative_path| climb above its start at
// some point, taking both '/' and '\\' as separators.
bool ClimbsAboveFolder(const std::string& relative_path);

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_INTERNAL_FOLDER_H_
