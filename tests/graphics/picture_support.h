// Pictures for the graphics tests: written byte by byte, so that what a test loads does not
// depend on the encoders under test, and read back pixel by pixel.
#pragma once

#include <tsumiki.h>

#include <functional>
#include <string>
#include <vector>

// The colour of a picture's pixel, 0x00RRGGBB.
using PixelRule = std::function<unsigned(int x, int y)>;

// A 24-bit BMP file of the given size, each pixel coloured by the rule.
bool WriteBmp(const std::wstring& path, int width, int height, const PixelRule& color);
// A 24 x 16 GIF in four quarters: red top-left, lime top-right, white bottom-left, blue
// bottom-right.
const std::vector<unsigned char>& QuartersGif();
std::vector<unsigned char> ReadBytes(const std::wstring& path);

// A loaded picture's pixel, 0xAARRGGBB.
unsigned PicturePixel(const CImage& image, int x, int y);
// A back buffer's pixel, 0x00RRGGBB, with every drawing so far included.
unsigned BufferPixel(CGraphics& graphics, int x, int y);
// Every pixel of the buffer's top-left width x height, 0x00RRGGBB, top row first, read from
// the window after presenting the buffer there: the drawing object is not taken, so the
// buffer's direct drawing stays as it is without GetDrawer.
std::vector<unsigned> ShownPixels(HWND window, CGraphics& graphics, int width, int height);
// How far two 0x00RRGGBB colours are apart in their most different channel.
int ChannelDistance(unsigned a, unsigned b);
