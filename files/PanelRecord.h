#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Byte layout of one panel frame record: a 9-byte header, then rows of inverted grey levels
// packed from the most significant end of each byte, every row starting on a byte boundary.
namespace files {

inline constexpr int kRecordHeaderSize = 9;
inline constexpr int kMaxPanelSide = 256;
inline constexpr int kMaxRecordSize = kRecordHeaderSize + kMaxPanelSide * kMaxPanelSide;
// The XOR of every byte of a sound record.
inline constexpr std::uint8_t kRecordXor = 0xFF;

inline constexpr std::uint8_t kFileMagic0 = 0x7A;    // 'z'
inline constexpr std::uint8_t kFileMagic1 = 0x61;    // 'a'
inline constexpr std::uint8_t kRecordMagic0 = 0x7A;  // 'z'
inline constexpr std::uint8_t kRecordMagic1 = 0x6D;  // 'm'

// Header fields by offset.
enum RecordField : int {
    kFieldMagic0 = 0,
    kFieldMagic1 = 1,
    kFieldDataOffset = 2,
    kFieldCheck = 3,
    kFieldColourCopy = 4,
    kFieldWidth = 5,
    kFieldHeight = 6,
    kFieldLevels = 7,
    kFieldColour = 8,
};

// 1, 2, 4 and 8 bits per pixel are the depths a record can carry.
bool isPanelDepth(int bits);
int rowBytes(int width, int bits);
int pixelDataSize(int width, int height, int bits);

std::uint8_t xorOf(const std::uint8_t* data, std::size_t size);

// Unpacks `height` rows of stored fields into one level per pixel (width * height bytes).
// Padding fields beyond the width are skipped.
void unpackLevels(const std::uint8_t* data, int width, int height, int bits, std::uint8_t* levels);

// Palette index -> level (each below 2^bits) of a picture's colours.
using LevelTable = std::array<std::uint8_t, 256>;

// Packs the levels of one palette index per pixel (width * height bytes) into stored rows;
// padding levels are 0 before inversion, so padding bits are stored as ones.
void packLevels(const std::uint8_t* indices, const LevelTable& levelOfIndex, int width, int height,
                int bits, std::uint8_t* data);

}  // namespace files
