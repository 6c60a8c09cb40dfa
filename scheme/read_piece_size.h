// How much a client: request reads from a file or an archive entry at a time.
#ifndef ZUBRIX_SCHEME_READ_PIECE_SIZE_H_
#define ZUBRIX_SCHEME_READ_PIECE_SIZE_H_

#include <cstddef>

namespace zubrix {

constexpr size_t kReadPieceSize = 65536;

}  // namespace zubrix

#endif  // ZUBRIX_SCHEME_READ_PIECE_SIZE_H_
