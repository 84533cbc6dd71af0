// The game's pictures. They are drawn with GDI+ when the game starts, written to the temp
// folder (a PNG sheet with alpha, a BMP on magenta), loaded as the library's pictures and
// the files deleted: the game ships no picture files.
#pragma once

#include <tsumiki.h>

class Art {
public:
    static constexpr int kCell = 64;  // the sheet's cells are kCell x kCell
    static constexpr int kSheetColumns = 4;
    static constexpr int kSheetRows = 2;  // row 0: the four kinds of star, row 1: their bursts

    // Makes and loads every picture; false when one of them could not be made or loaded.
    bool Prepare();

    // Stars and bursts; the stars are drawn with their own opacity.
    CImage& Sheet() { return m_Sheet; }
    // The same sheet loaded again, so that bursts can fade without fading the stars.
    CImage& Bursts() { return m_Bursts; }
    // The player's ship, drawn through a magenta colour key.
    CImage& Ship() { return m_Ship; }

private:
    CImage m_Sheet;
    CImage m_Bursts;
    CImage m_Ship;
};
