// 24-bit BMP pictures for tests that need a picture on disk: the one writer of the tests
// (portable). Readers are also tested on files that other programs wrote; those fixtures
// are built byte by byte where they are used, not here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The bytes of a 24-bit BMP; pixels are blue, green, red per pixel, rows from the top. Empty
// when the size is not positive or there are too few pixels.
std::string BmpBytes(int width, int height, const std::vector<unsigned char>& bgr);
// Writes the pixels (as BmpBytes) to a file, making its folder; false on a failure.
bool WriteBmp(const std::string& path, int width, int height, const std::vector<unsigned char>& bgr);
// A picture of one colour.
bool WriteBmp(const std::string& path, int width, int height, uint8_t red, uint8_t green, uint8_t blue);
