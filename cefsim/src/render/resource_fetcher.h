// The render process's requests to the browser process for documents and
// scripts. Render thread.
#ifndef CEFSIM_SRC_RENDER_RESOURCE_FETCHER_H_
#define CEFSIM_SRC_RENDER_RESOURCE_FETCHER_H_

#include <functional>
#include <string>

#include "include/internal/cef_types.h"
#include "cefsim/src/ipc/page_messages.h"

namespace cefsim {

using FetchDone = std::function<void(ResourceResponseMessage)>;

// Whether a document of this type is read as HTML; the render process reads
// no other document's body.
bool IsHtmlMimeType(const std::string& mime_type);

// |done| runs on the render thread once the answer arrives; never, if the
// browser process goes away first. The body of a document that is not HTML
// is not kept: nothing in the render process reads it.
void FetchResource(int browser_id, int64_t frame_id, const std::u16string& url,
                   cef_resource_type_t type, FetchDone done);

}  // namespace cefsim

#endif  // CEFSIM_SRC_RENDER_RESOURCE_FETCHER_H_
