// Tables and limits of the scene animation.
#pragma once
#include <cstddef>

// GIF texture reader.
inline constexpr int kGifPaletteEntries = 256;
inline constexpr int kGifMaxCodeBits = 12;                     // LZW codes are at most 12 bits
inline constexpr int kGifCodeTableSize = 1 << kGifMaxCodeBits;  // 4096 prefix/suffix entries
inline constexpr int kGifMaxMinCodeSize = kGifMaxCodeBits - 1;  // so the first codes fit 12 bits
inline constexpr std::size_t kGifMaxImageBytes = std::size_t{64} << 20;  // pixel block cap
