#include "store/OutputStore.h"

#include <algorithm>

namespace store {

bool fitsOutputLimit(int held, int requested) {
    return held + requested <= kMaxOutputFrames;
}

int framesThatFit(int held, int offered) {
    return std::clamp(kMaxOutputFrames - held, 0, std::max(offered, 0));
}

int insertionPosition(int held, int current, int answer) {
    if (held == 0) {
        return 0;
    }
    return answer == kInsertAfter ? current + 1 : current;
}

}  // namespace store
