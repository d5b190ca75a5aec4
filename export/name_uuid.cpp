// SHA-1 (FIPS 180-4) over one buffer, and the version 5 UUID built from it.
#include "export/name_uuid.h"

namespace pw {
namespace {

uint32_t Rotl(uint32_t v, int n) { return (v << n) | (v >> (32 - n)); }

void Block(const uint8_t* p, uint32_t h[5]) {
  uint32_t w[80];
  for (int i = 0; i < 16; ++i) {
    w[i] = (uint32_t{p[4 * i]} << 24) | (uint32_t{p[4 * i + 1]} << 16) |
           (uint32_t{p[4 * i + 2]} << 8) | uint32_t{p[4 * i + 3]};
  }
  for (int i = 16; i < 80; ++i) w[i] = Rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
  uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
  for (int i = 0; i < 80; ++i) {
    uint32_t f, k;
    if (i < 20) {
      f = (b & c) | (~b & d), k = 0x5A827999;
    } else if (i < 40) {
      f = b ^ c ^ d, k = 0x6ED9EBA1;
    } else if (i < 60) {
      f = (b & c) | (b & d) | (c & d), k = 0x8F1BBCDC;
    } else {
      f = b ^ c ^ d, k = 0xCA62C1D6;
    }
    const uint32_t t = Rotl(a, 5) + f + e + k + w[i];
    e = d, d = c, c = Rotl(b, 30), b = a, a = t;
  }
  h[0] += a, h[1] += b, h[2] += c, h[3] += d, h[4] += e;
}

}  // namespace

std::array<uint8_t, 20> Sha1(std::string_view data) {
  uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  size_t full = data.size() / 64 * 64;
  for (size_t i = 0; i < full; i += 64) Block(bytes + i, h);
  // The tail, the 0x80 marker and the length in bits, in one or two blocks.
  uint8_t tail[128] = {};
  const size_t rest = data.size() - full;
  for (size_t i = 0; i < rest; ++i) tail[i] = bytes[full + i];
  tail[rest] = 0x80;
  const size_t tail_size = rest < 56 ? 64 : 128;
  const uint64_t bits = static_cast<uint64_t>(data.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tail_size - 1 - i] = static_cast<uint8_t>(bits >> (8 * i));
  for (size_t i = 0; i < tail_size; i += 64) Block(tail + i, h);
  std::array<uint8_t, 20> digest;
  for (int i = 0; i < 20; ++i) digest[i] = static_cast<uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
  return digest;
}

Uuid NameBasedUuid(const Uuid& name_space, std::string_view name) {
  std::string input(name_space.begin(), name_space.end());
  input += name;
  const std::array<uint8_t, 20> digest = Sha1(input);
  Uuid uuid;
  for (int i = 0; i < 16; ++i) uuid[i] = digest[i];
  uuid[6] = static_cast<uint8_t>((uuid[6] & 0x0F) | 0x50);  // version 5
  uuid[8] = static_cast<uint8_t>((uuid[8] & 0x3F) | 0x80);  // RFC 4122 variant
  return uuid;
}

std::string UuidString(const Uuid& uuid) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out += '-';
    out += kHex[uuid[i] >> 4];
    out += kHex[uuid[i] & 15];
  }
  return out;
}

}  // namespace pw
