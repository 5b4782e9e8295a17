#include "files/PanelRecord.h"

#include <array>
#include <cstring>

namespace files {

namespace {

// For one depth: every stored byte value -> the levels of its fields, first pixel first.
using FieldTable = std::array<std::array<std::uint8_t, 8>, 256>;

FieldTable makeFieldTable(int bits) {
    FieldTable table{};
    const int fields = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int value = 0; value < 256; ++value) {
        const int inverted = ~value & 0xFF;
        for (int k = 0; k < fields; ++k) {
            table[value][k] = static_cast<std::uint8_t>((inverted >> (8 - bits * (k + 1))) & mask);
        }
    }
    return table;
}

const FieldTable& fieldTable(int bits) {
    static const FieldTable one = makeFieldTable(1);
    static const FieldTable two = makeFieldTable(2);
    static const FieldTable four = makeFieldTable(4);
    return bits == 1 ? one : bits == 2 ? two : four;
}

template <int Bits>
void unpackRows(const std::uint8_t* data, int width, int height, std::uint8_t* levels) {
    constexpr int kFields = 8 / Bits;
    const FieldTable& table = fieldTable(Bits);
    const int fullBytes = width / kFields;
    const int rest = width % kFields;
    const int stride = rowBytes(width, Bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = data + static_cast<std::size_t>(y) * stride;
        std::uint8_t* out = levels + static_cast<std::size_t>(y) * width;
        for (int i = 0; i < fullBytes; ++i) {
            std::memcpy(out + i * kFields, table[in[i]].data(), kFields);
        }
        if (rest > 0) {
            std::memcpy(out + fullBytes * kFields, table[in[fullBytes]].data(), rest);
        }
    }
}

void unpackBytes(const std::uint8_t* data, std::size_t count, std::uint8_t* levels) {
    for (std::size_t i = 0; i < count; ++i) {
        levels[i] = static_cast<std::uint8_t>(~data[i]);
    }
}

// Levels of up to 8 / Bits pixels as one stored byte.
template <int Bits>
std::uint8_t packedByte(const std::uint8_t* indices, const LevelTable& levelOfIndex, int count) {
    int value = 0;
    for (int k = 0; k < count; ++k) {
        value |= levelOfIndex[indices[k]] << (8 - Bits * (k + 1));
    }
    return static_cast<std::uint8_t>(~value);
}

template <int Bits>
void packRows(const std::uint8_t* indices, const LevelTable& levelOfIndex, int width, int height,
              std::uint8_t* data) {
    constexpr int kFields = 8 / Bits;
    const int fullBytes = width / kFields;
    const int rest = width % kFields;
    const int stride = rowBytes(width, Bits);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = indices + static_cast<std::size_t>(y) * width;
        std::uint8_t* out = data + static_cast<std::size_t>(y) * stride;
        for (int i = 0; i < fullBytes; ++i) {
            out[i] = packedByte<Bits>(in + i * kFields, levelOfIndex, kFields);
        }
        if (rest > 0) {
            out[fullBytes] = packedByte<Bits>(in + fullBytes * kFields, levelOfIndex, rest);
        }
    }
}

}  // namespace

bool isPanelDepth(int bits) {
    return bits == 1 || bits == 2 || bits == 4 || bits == 8;
}

int rowBytes(int width, int bits) {
    return (width * bits + 7) / 8;
}

int pixelDataSize(int width, int height, int bits) {
    return rowBytes(width, bits) * height;
}

std::uint8_t xorOf(const std::uint8_t* data, std::size_t size) {
    std::uint8_t result = 0;
    for (std::size_t i = 0; i < size; ++i) {
        result ^= data[i];
    }
    return result;
}

void unpackLevels(const std::uint8_t* data, int width, int height, int bits, std::uint8_t* levels) {
    switch (bits) {
        case 1:
            unpackRows<1>(data, width, height, levels);
            break;
        case 2:
            unpackRows<2>(data, width, height, levels);
            break;
        case 4:
            unpackRows<4>(data, width, height, levels);
            break;
        default:
            unpackBytes(data, static_cast<std::size_t>(width) * height, levels);
            break;
    }
}

void packLevels(const std::uint8_t* indices, const LevelTable& levelOfIndex, int width, int height,
                int bits, std::uint8_t* data) {
    switch (bits) {
        case 1:
            packRows<1>(indices, levelOfIndex, width, height, data);
            break;
        case 2:
            packRows<2>(indices, levelOfIndex, width, height, data);
            break;
        case 4:
            packRows<4>(indices, levelOfIndex, width, height, data);
            break;
        default:
            packRows<8>(indices, levelOfIndex, width, height, data);
            break;
    }
}

}  // namespace files
