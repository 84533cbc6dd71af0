// Draws one frame of the world into a window's back buffer.
#pragma once

#include <tsumiki.h>

#include "art.h"
#include "world.h"

// frame counts painted frames; it drives what blinks and shimmers. Text sizes are in the
// buffer's pixels (the window sets TEXT_PIXELS), so the layout holds at any DPI.
void PaintWorld(CGraphics& graphics, Art& art, const World& world, unsigned frame);
