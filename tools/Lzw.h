#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// GIF-flavoured LZW: variable-width codes from minCodeSize + 1 up to 12 bits, packed least
// significant bit first, starting with a clear code and ending with the end-of-information
// code. A clear code is sent whenever the code table fills. Every index must be below
// 2^minCodeSize; minCodeSize is 2..8.
std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& indices, int minCodeSize);

}  // namespace tools
