// File formats of the game's data files (24-bit BMP, 16-bit PCM WAVE) and writing all of them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "raster.h"

namespace varnook::assets {

inline constexpr std::string_view kSheetFileName = "ALLPICDATA.BMP";

// Uncompressed bottom-up 24-bit BMP with a BITMAPINFOHEADER, rows padded to four bytes.
std::vector<std::uint8_t> encodeBmp(const Image& image);
// Mono 16-bit PCM RIFF/WAVE.
std::vector<std::uint8_t> encodeWav(std::span<const std::int16_t> samples, int sampleRate);

// Writes the sprite sheet and the six wave files into `dir` (which must exist). Returns false and
// leaves a message in `error` when a file cannot be written.
bool writeAllAssets(const std::filesystem::path& dir, std::string& error);

}  // namespace varnook::assets
