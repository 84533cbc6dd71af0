// The animated picture of the showcase, drawn into the window's back buffer each frame.
#pragma once

#include <tsumiki.h>

class Scene {
public:
    // Makes or loads what the scene draws; called once the window exists.
    void Prepare(HWND window);
    // Draws frame number `tick` on a surface of the given size.
    void Draw(CGraphics& graphics, int width, int height, unsigned tick);
};
