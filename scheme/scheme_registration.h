// Registers the "client" scheme's factories with CEF, in the host process
// once CEF has started.
#ifndef ZUBRIX_SCHEME_SCHEME_REGISTRATION_H_
#define ZUBRIX_SCHEME_SCHEME_REGISTRATION_H_

namespace zubrix {

void RegisterSchemeHandlerFactories();

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_SCHEME_REGISTRATION_H_
