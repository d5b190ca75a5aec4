// Name-based UUIDs (version 5, SHA-1): the same name in the same namespace always gives the
// same identifier, so a book exported again keeps its identity in a reader's library.
#ifndef PLOTWEAVE_EXPORT_NAME_UUID_H_
#define PLOTWEAVE_EXPORT_NAME_UUID_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

using Uuid = std::array<uint8_t, 16>;

// The namespace of Plotweave's book identifiers.
inline constexpr Uuid kBookNamespace = {0x6f, 0x2a, 0x4c, 0x91, 0x3d, 0x58, 0x4e, 0x0b,
                                        0x9a, 0x17, 0xc4, 0x52, 0xe8, 0x0d, 0x71, 0x3e};

std::array<uint8_t, 20> Sha1(std::string_view data);

Uuid NameBasedUuid(const Uuid& name_space, std::string_view name);

// Lower-case 8-4-4-4-12 form.
std::string UuidString(const Uuid& uuid);

}  // namespace pw

#endif  // PLOTWEAVE_EXPORT_NAME_UUID_H_
