#include "imaging/PictureCheck.h"

#include "imaging/Status.h"

namespace imaging {

int checkPicture(const Picture& p) {
    if (p.isEmpty()) {
        return kNoBitmap;
    }
    const std::size_t expected = static_cast<std::size_t>(p.stride()) * p.height();
    return p.pixels().size() == expected ? kOk : kCorruptData;
}

bool hasIdentityGreyPalette(const Picture& p) {
    if (p.bits() != 8 || p.palette().size() != 256) {
        return false;
    }
    for (int i = 0; i < 256; ++i) {
        if (p.palette()[i] != greyColour(i)) {
            return false;
        }
    }
    return true;
}

}  // namespace imaging
