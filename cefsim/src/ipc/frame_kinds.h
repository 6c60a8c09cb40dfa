// The kinds of frame on the channel. Values are fixed: both processes are
// built from the same sources, but a stray value must still be recognised as
// unknown rather than misread.
#ifndef CEFSIM_SRC_IPC_FRAME_KINDS_H_
#define CEFSIM_SRC_IPC_FRAME_KINDS_H_

#include <cstdint>

namespace cefsim {

enum FrameKind : uint32_t {
  // Render process to browser process, once at start: pid, process type and
  // the final command line.
  kFrameHello = 1,
  // Either way: browser id, message name, argument list.
  kFrameProcessMessage = 2,

  // Browser process to render process (page_messages.h).
  kFrameCreateBrowser = 10,
  kFrameNavigate = 11,
  kFrameExecuteJavaScript = 12,
  kFrameResourceResponse = 14,
  kFrameStopLoad = 15,
  // A piece of a response's body, ahead of the response itself.
  kFrameResourceData = 16,
  // A response's type, ahead of its first piece.
  kFrameResourceResponseHead = 17,

  // Render process to browser process (page_messages.h).
  kFrameLoadStart = 20,
  kFrameLoadEnd = 21,
  kFrameLoadError = 22,
  kFrameResourceRequest = 23,
  kFrameNavigationRequest = 24,
  kFrameConsoleMessage = 25,
  kFramePageTitle = 26,
  kFrameCloseRequest = 27,
  kFrameSameDocumentNavigation = 28,
  // The render thread took in a piece of a response's body.
  kFrameResourceDataAck = 29,
};

}  // namespace cefsim

#endif  // CEFSIM_SRC_IPC_FRAME_KINDS_H_
