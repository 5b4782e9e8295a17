#include "tools/Lzw.h"

#include <unordered_map>

namespace tools {

namespace {

constexpr int kMaxCodeBits = 12;
// The last code number the table may hand out before it is cleared (as common encoders do,
// one short of 4096 so no decoder ever sees a full table).
constexpr int kTableLimit = (1 << kMaxCodeBits) - 1;

// Appends codes of varying width to a byte stream, least significant bit first.
class BitPacker {
  public:
    void put(int code, int width) {
        pending_ |= static_cast<std::uint32_t>(code) << pendingBits_;
        pendingBits_ += width;
        while (pendingBits_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
            pending_ >>= 8;
            pendingBits_ -= 8;
        }
    }
    std::vector<std::uint8_t> finish() {
        if (pendingBits_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
        }
        return std::move(bytes_);
    }

  private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t pending_ = 0;
    int pendingBits_ = 0;
};

// The encoder's table and code width; keys are (prefix code << 8) | next index.
class LzwState {
  public:
    explicit LzwState(int minCodeSize)
        : minCodeSize_(minCodeSize), clearCode_(1 << minCodeSize), endCode_(clearCode_ + 1) {
        reset();
    }
    int clearCode() const { return clearCode_; }
    int endCode() const { return endCode_; }
    int width() const { return width_; }

    void reset() {
        table_.clear();
        nextCode_ = endCode_ + 1;
        width_ = minCodeSize_ + 1;
    }
    // The code for prefix + index, or -1 when the table does not hold it.
    int find(int prefix, std::uint8_t index) const {
        const auto it = table_.find(key(prefix, index));
        return it == table_.end() ? -1 : it->second;
    }
    // After a code was sent: widens the codes the decoder will expect next.
    void afterOutput() {
        if (nextCode_ >= (1 << width_) && width_ < kMaxCodeBits) {
            ++width_;
        }
    }
    // Adds prefix + index; false when the table is full and must be cleared instead.
    bool add(int prefix, std::uint8_t index) {
        if (nextCode_ >= kTableLimit) {
            return false;
        }
        table_.emplace(key(prefix, index), nextCode_++);
        return true;
    }

  private:
    static std::uint32_t key(int prefix, std::uint8_t index) {
        return (static_cast<std::uint32_t>(prefix) << 8) | index;
    }

    int minCodeSize_;
    int clearCode_;
    int endCode_;
    int nextCode_ = 0;
    int width_ = 0;
    std::unordered_map<std::uint32_t, int> table_;
};

void emit(BitPacker& out, LzwState& state, int code) {
    out.put(code, state.width());
    state.afterOutput();
}

}  // namespace

std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& indices, int minCodeSize) {
    BitPacker out;
    LzwState state(minCodeSize);
    out.put(state.clearCode(), state.width());
    if (indices.empty()) {
        out.put(state.endCode(), state.width());
        return out.finish();
    }
    int current = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint8_t next = indices[i];
        const int found = state.find(current, next);
        if (found >= 0) {
            current = found;
            continue;
        }
        emit(out, state, current);
        if (!state.add(current, next)) {
            out.put(state.clearCode(), state.width());
            state.reset();
        }
        current = next;
    }
    emit(out, state, current);
    out.put(state.endCode(), state.width());
    return out.finish();
}

}  // namespace tools
