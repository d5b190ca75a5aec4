// Replacing a file without ever leaving it half written: the bytes go to a temporary file
// beside the target, which is flushed and then renamed over it.
#ifndef PLOTWEAVE_CORE_ATOMIC_FILE_H_
#define PLOTWEAVE_CORE_ATOMIC_FILE_H_

#include <string>
#include <string_view>

#include "core/status.h"

namespace pw {

// On failure the message is the system's error text and an existing file is untouched.
// A symbolic link is followed, so the file it names is replaced and the link kept.
Status WriteFileAtomically(const std::string& path, std::string_view bytes,
                           bool flush_to_disk = true);

}  // namespace pw

#endif  // PLOTWEAVE_CORE_ATOMIC_FILE_H_
