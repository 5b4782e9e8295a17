#pragma once

#include <cstdint>

#include "imaging/Picture.h"

namespace bench {

// A 24-bit picture with gradients and texture in every channel, like a photograph's detail;
// `seed` shifts it so that frames of a run differ.
inline imaging::Picture photoLike(int w, int h, int seed = 0) {
    imaging::Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = p.row(y);
        for (int x = 0; x < w; ++x) {
            row[3 * x] = static_cast<std::uint8_t>(x * 7 + y + seed);
            row[3 * x + 1] = static_cast<std::uint8_t>(y * 5 + seed);
            row[3 * x + 2] = static_cast<std::uint8_t>((x ^ y) * 3);
        }
    }
    return p;
}

}  // namespace bench
