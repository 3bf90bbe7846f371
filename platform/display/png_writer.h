#pragma once
#include <cstdint>
#include <string>

namespace plat {

// Writes an XRGB8888 picture (rows top-down) as an 8-bit RGB PNG file at a native
// path; false when the file cannot be written.
bool WritePngFile(const std::string& nativePath, const uint32_t* xrgb, int width, int height);

}  // namespace plat
