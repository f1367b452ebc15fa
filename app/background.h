#pragma once
// The installer's background: a vertical blue gradient over the whole view,
// with the product's logo texts from the script's section "Logo" in the
// corners, white with a black drop shadow.
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "script/items.h"

// The gradient is painted as a few solid bands rather than line by line:
// 16 bands for a client area up to 32 pixels high, 32 otherwise, from pure
// blue at the top down to a dark blue. Each band is one pixel taller than
// the height divided evenly, so the bands always cover the whole height (the
// last one may reach below it).
struct CGradientBands {
    int nBands = 0;
    int nBandHeight = 0;
    int nStep = 0;          // fall of the blue value from one band to the next
    BYTE Blue(int band) const { return static_cast<BYTE>(255 - band * nStep); }
};
CGradientBands GradientBandsFor(int clientHeight);

// Where a logo text whose box (text extent plus the 4 pixels of its shadow)
// is `box` goes in a client area of the given size: corner 0 top left,
// 1 bottom left, 2 top right, 3 bottom right; any other value top left.
POINT LogoTextOrigin(int corner, int clientWidth, int clientHeight, SIZE box);

// The face name as a font can take it: at most 31 bytes, never ending in the
// first half of a double-byte character.
std::string FontFaceName(const std::string& face);

// The character height (negative: without internal leading) of a font of
// `tenthsOfPoint` on a device with `pixelsPerInch` vertically.
LONG FontHeightFor(int tenthsOfPoint, int pixelsPerInch);

void PaintGradient(HDC dc, const RECT& client);
// Text items only (other kinds are not painted), in list order: a later text
// in the same corner is drawn over an earlier one.
void PaintLogoTexts(HDC dc, const RECT& client, const std::vector<std::unique_ptr<CLogoItem>>& logos);
