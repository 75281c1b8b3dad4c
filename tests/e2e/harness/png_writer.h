// png_writer.h — saves an Image as an 8-bit RGB PNG (zlib's deflate and crc32).
#pragma once

#include <string>

#include "harness/image.h"

// Writes `image` to `path`, creating the parent directory; false if anything fails.
bool writePng(const std::string& path, const Image& image);
