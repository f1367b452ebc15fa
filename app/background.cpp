#include "app/background.h"

#include <cstdlib>

#include "platform/handles.h"
#include "paths/mbcs.h"

namespace {
// How far the black shadow lies below and to the right of its white text.
constexpr int kShadowOffset = 4;
// LOGFONTA holds a face name of 31 bytes and its terminator.
constexpr std::size_t kMaxFaceBytes = LF_FACESIZE - 1;
}  // namespace

CGradientBands GradientBandsFor(int clientHeight)
{
    CGradientBands bands;
    bands.nBands = clientHeight <= 32 ? 16 : 32;
    bands.nBandHeight = clientHeight / bands.nBands + 1;
    bands.nStep = 256 / bands.nBands;
    return bands;
}

POINT LogoTextOrigin(int corner, int clientWidth, int clientHeight, SIZE box)
{
    switch (corner) {
    case 1: return POINT{0, clientHeight - box.cy};
    case 2: return POINT{clientWidth - box.cx, 0};
    case 3: return POINT{clientWidth - box.cx, clientHeight - box.cy};
    default: return POINT{0, 0};
    }
}

std::string FontFaceName(const std::string& face)
{
    std::size_t end = 0;
    while (end < face.size()) {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(face[end])) ? 2 : 1;
        // A lead byte at the very end of the text has no second half: dropped too.
        if (end + width > kMaxFaceBytes || end + width > face.size())
            break;
        end += width;
    }
    return face.substr(0, end);
}

LONG FontHeightFor(int tenthsOfPoint, int pixelsPerInch)
{
    // 64-bit product: a size from the script never overflows the conversion.
    const long long height = static_cast<long long>(tenthsOfPoint) * pixelsPerInch / 720;
    const long long limit = 0x7fffffffLL;
    const long long magnitude = height < 0 ? -height : height;
    return static_cast<LONG>(-(magnitude > limit ? limit : magnitude));
}

void PaintGradient(HDC dc, const RECT& client)
{
    const CGradientBands bands = GradientBandsFor(client.bottom);
    RECT band = {client.left, 0, client.right, bands.nBandHeight};
    for (int i = 0; i < bands.nBands; ++i) {
        CGdiObject brush(::CreateSolidBrush(RGB(0, 0, bands.Blue(i))));
        ::FillRect(dc, &band, static_cast<HBRUSH>(brush.Get()));
        ::OffsetRect(&band, 0, bands.nBandHeight);
    }
}

void PaintLogoTexts(HDC dc, const RECT& client, const std::vector<std::unique_ptr<CLogoItem>>& logos)
{
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    for (const auto& logo : logos) {
        if (!logo || !logo->m_bText)
            continue;
        LOGFONTA lf = {};
        lf.lfHeight = FontHeightFor(logo->m_nSize, ::GetDeviceCaps(dc, LOGPIXELSY));
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::string face = FontFaceName(logo->m_strFontName);
        face.copy(lf.lfFaceName, face.size());
        CGdiObject font(::CreateFontIndirectA(&lf));
        CSelectObject selected(dc, font.Get());

        const std::string& text = logo->m_strText;
        const int length = static_cast<int>(text.size());
        SIZE extent = {};
        ::GetTextExtentPointA(dc, text.c_str(), length, &extent);
        const SIZE box = {extent.cx + kShadowOffset, extent.cy + kShadowOffset};
        const POINT at = LogoTextOrigin(logo->m_nCorner, width, height, box);

        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::TextOutA(dc, at.x + kShadowOffset, at.y + kShadowOffset, text.c_str(), length);
        ::SetTextColor(dc, RGB(255, 255, 255));
        ::TextOutA(dc, at.x, at.y, text.c_str(), length);
    }
}
