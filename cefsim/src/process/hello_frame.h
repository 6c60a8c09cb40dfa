// The first frame a render process sends: who it is and its final command
// line.
#ifndef CEFSIM_SRC_PROCESS_HELLO_FRAME_H_
#define CEFSIM_SRC_PROCESS_HELLO_FRAME_H_

#include <string>
#include <vector>

namespace cefsim {

std::string EncodeHello(int pid, const std::string& process_type,
                        const std::vector<std::string>& argv);

}  // namespace cefsim

#endif  // CEFSIM_SRC_PROCESS_HELLO_FRAME_H_
