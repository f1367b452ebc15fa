// The painted background: band arithmetic, the gradient as it lands in a
// bitmap, and the logo texts with their shadows in each corner.
#include "app/background.h"

#include <windows.h>
#include <gtest/gtest.h>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace {

TEST(GradientBands, CountHeightAndStepFollowTheClientHeight)
{
    struct Row {
        int height;
        int bands;
        int bandHeight;
        int step;
        int lastBlue;
    };
    const Row rows[] = {
        {32, 16, 3, 16, 15},     // small: 16 bands, covering 48 pixels
        {0, 16, 1, 16, 15},
        {33, 32, 2, 8, 7},       // first height with 32 bands
        {600, 32, 19, 8, 7},     // 608 pixels covered
        {768, 32, 25, 8, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "client height " << row.height);
        const CGradientBands bands = GradientBandsFor(row.height);
        EXPECT_EQ(row.bands, bands.nBands);
        EXPECT_EQ(row.bandHeight, bands.nBandHeight);
        EXPECT_EQ(row.step, bands.nStep);
        EXPECT_EQ(255, bands.Blue(0));
        EXPECT_EQ(row.lastBlue, bands.Blue(bands.nBands - 1));
        // The bands always reach the bottom of the client area.
        EXPECT_GE(bands.nBands * bands.nBandHeight, row.height);
    }
}

TEST(LogoText, CornerGivesTheOriginOfTheTextWithItsShadow)
{
    struct Row {
        int corner;
        POINT expected;
    };
    const SIZE box = {104, 24};
    const Row rows[] = {
        {0, {0, 0}},
        {1, {0, 600 - 24}},
        {2, {800 - 104, 0}},
        {3, {800 - 104, 600 - 24}},
        {4, {0, 0}},            // unknown corners: top left
        {-1, {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "corner " << row.corner);
        const POINT at = LogoTextOrigin(row.corner, 800, 600, box);
        EXPECT_EQ(row.expected.x, at.x);
        EXPECT_EQ(row.expected.y, at.y);
    }
}

TEST(LogoText, FaceNameIsCutToWholeCharactersOf31Bytes)
{
    const std::string a29(29, 'a'), a30(30, 'a'), a31(31, 'a');
    const std::string wide = "ア";   // one double-byte character
    ASSERT_EQ(2u, wide.size());
    struct Row {
        std::string face;
        std::string expected;
    };
    const Row rows[] = {
        {"Arial", "Arial"},
        {a31, a31},
        {a31 + "b", a31},
        {a29 + wide, a29 + wide},               // exactly 31 bytes
        {a30 + wide, a30},                      // the character would need byte 32
        {"ab" + wide.substr(0, 1), "ab"},       // a lead byte without its second half
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "face of " << row.face.size() << " bytes");
        EXPECT_EQ(row.expected, FontFaceName(row.face));
    }
}

TEST(LogoText, FontHeightIsTheCharacterHeightInDevicePixels)
{
    struct Row {
        int tenths;
        int dpi;
        LONG expected;
    };
    const Row rows[] = {
        {240, 96, -32},
        {100, 96, -13},       // 13.3 pixels: cut, not rounded
        {90, 120, -15},
        {-240, 96, -32},      // the sign of the script's value does not matter
        {0, 96, 0},
        {INT_MAX, 96, -286331152},   // no overflow on the way
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.tenths << " tenths at " << row.dpi << " dpi");
        EXPECT_EQ(row.expected, FontHeightFor(row.tenths, row.dpi));
    }
}

// A 32-bit top-down bitmap selected into a memory device context.
class CBitmapCanvas {
public:
    CBitmapCanvas(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<const DWORD*>(bits);
        m_dc = ::CreateCompatibleDC(nullptr);
        m_old = ::SelectObject(m_dc, m_bitmap.Get());
    }
    ~CBitmapCanvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteDC(m_dc);
    }
    CBitmapCanvas(const CBitmapCanvas&) = delete;
    CBitmapCanvas& operator=(const CBitmapCanvas&) = delete;

    bool IsValid() const { return m_bits && m_dc; }
    HDC Dc() const { return m_dc; }
    RECT Client() const { return RECT{0, 0, m_width, m_height}; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pixel as a COLORREF (0x00bbggrr).
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const DWORD p = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
    }

private:
    int m_width;
    int m_height;
    CGdiObject m_bitmap;
    const DWORD* m_bits = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_old = nullptr;
};

COLORREF GradientAt(int clientHeight, int y)
{
    const CGradientBands bands = GradientBandsFor(clientHeight);
    return RGB(0, 0, bands.Blue(y / bands.nBandHeight));
}

TEST(Gradient, EveryRowHasTheBlueOfItsBand)
{
    for (int height : {32, 600, 768}) {
        SCOPED_TRACE(testing::Message() << "client height " << height);
        CBitmapCanvas canvas(40, height);
        ASSERT_TRUE(canvas.IsValid());
        PaintGradient(canvas.Dc(), canvas.Client());
        for (int y = 0; y < height; ++y) {
            for (int x : {0, 39}) {
                const COLORREF expected = GradientAt(height, y);
                if (canvas.At(x, y) != expected) {
                    ADD_FAILURE() << "row " << y << " column " << x << ": 0x" << std::hex
                                  << canvas.At(x, y) << ", expected 0x" << expected;
                    return;
                }
            }
        }
    }
}

// The box that a painted text covers, found by comparing with the gradient.
struct CTextPixels {
    RECT changed = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};   // every pixel that differs
    RECT white = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};     // pure white pixels
    RECT black = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};     // pure black pixels
    int nChanged = 0;
};

void Extend(RECT& r, int x, int y)
{
    r.left = std::min<LONG>(r.left, x);
    r.top = std::min<LONG>(r.top, y);
    r.right = std::max<LONG>(r.right, x + 1);
    r.bottom = std::max<LONG>(r.bottom, y + 1);
}

CTextPixels FindTextPixels(const CBitmapCanvas& canvas)
{
    CTextPixels found;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF c = canvas.At(x, y);
            if (c == GradientAt(canvas.Height(), y))
                continue;
            ++found.nChanged;
            Extend(found.changed, x, y);
            if (c == RGB(255, 255, 255))
                Extend(found.white, x, y);
            if (c == RGB(0, 0, 0))
                Extend(found.black, x, y);
        }
    }
    return found;
}

std::unique_ptr<CLogoItem> TextLogo(int corner, const std::string& text, int size,
                                    const std::string& face)
{
    auto item = std::make_unique<CLogoItem>();
    item->m_bText = 1;
    item->m_nCorner = corner;
    item->m_strText = text;
    item->m_nSize = size;
    item->m_strFontName = face;
    return item;
}

// A font as the painting makes it for a logo item, selected while it lives.
class CLogoFont {
public:
    CLogoFont(HDC dc, const CLogoItem& logo)
    {
        LOGFONTA lf = {};
        lf.lfHeight = FontHeightFor(logo.m_nSize, ::GetDeviceCaps(dc, LOGPIXELSY));
        lf.lfCharSet = DEFAULT_CHARSET;
        const std::string face = FontFaceName(logo.m_strFontName);
        face.copy(lf.lfFaceName, face.size());
        m_font.Attach(::CreateFontIndirectA(&lf));
        m_selected = std::make_unique<CSelectObject>(dc, m_font.Get());
    }

private:
    CGdiObject m_font;
    std::unique_ptr<CSelectObject> m_selected;
};

SIZE MeasureText(HDC dc, const CLogoItem& logo)
{
    CLogoFont font(dc, logo);
    SIZE extent = {};
    ::GetTextExtentPointA(dc, logo.m_strText.c_str(), static_cast<int>(logo.m_strText.size()), &extent);
    return extent;
}

// The pure white pixels of the text drawn alone, white on black at (0, 0):
// where the glyphs' ink lies relative to the drawing position.
RECT InkOf(const CLogoItem& logo, int width, int height)
{
    CBitmapCanvas canvas(width, height);
    {
        CLogoFont font(canvas.Dc(), logo);
        ::SetBkMode(canvas.Dc(), TRANSPARENT);
        ::SetTextColor(canvas.Dc(), RGB(255, 255, 255));
        ::TextOutA(canvas.Dc(), 0, 0, logo.m_strText.c_str(), static_cast<int>(logo.m_strText.size()));
    }
    RECT ink = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (canvas.At(x, y) == RGB(255, 255, 255))
                Extend(ink, x, y);
    return ink;
}

TEST(LogoText, WhiteTextWithItsBlackShadowSitsInItsCorner)
{
    // The shadow lies 4 pixels right of and below the text; the two together
    // (text extent + 4) touch the edges of their corner.
    struct Row {
        int corner;
        bool right;
        bool bottom;
        const char* text;
        int size;
        const char* face;
    };
    const Row rows[] = {
        {0, false, false, "Logo", 240, "Tahoma"},
        {1, false, true, "Logo", 180, "Tahoma"},
        {2, true, false, "Product 1.0", 240, "NoSuchFace"},   // the system substitutes a font
        {3, true, true, "セットアップ", 240, "ＭＳ Ｐゴシック"},
        {9, false, false, "Logo", 240, "Tahoma"},             // unknown corner: top left
    };
    const int width = 400, height = 200;
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "corner " << row.corner << ", face " << row.face);
        CBitmapCanvas canvas(width, height);
        ASSERT_TRUE(canvas.IsValid());
        std::vector<std::unique_ptr<CLogoItem>> logos;
        logos.push_back(TextLogo(row.corner, row.text, row.size, row.face));
        PaintGradient(canvas.Dc(), canvas.Client());
        PaintLogoTexts(canvas.Dc(), canvas.Client(), logos);

        const SIZE extent = MeasureText(canvas.Dc(), *logos[0]);
        ASSERT_GT(extent.cx, 0);
        const RECT ink = InkOf(*logos[0], width, height);
        ASSERT_LT(ink.left, ink.right) << "the text has no ink";
        const int x = row.right ? width - extent.cx - 4 : 0;
        const int y = row.bottom ? height - extent.cy - 4 : 0;

        const CTextPixels found = FindTextPixels(canvas);
        // Nothing outside the box of text and shadow changes.
        EXPECT_GE(found.changed.left, x);
        EXPECT_GE(found.changed.top, y);
        EXPECT_LE(found.changed.right, x + extent.cx + 4);
        EXPECT_LE(found.changed.bottom, y + extent.cy + 4);
        // The white text is drawn at (x, y), its black shadow at (x + 4, y + 4).
        EXPECT_EQ(x + ink.left, found.white.left);
        EXPECT_EQ(y + ink.top, found.white.top);
        EXPECT_EQ(x + ink.right, found.white.right);
        EXPECT_EQ(y + ink.bottom, found.white.bottom);
        EXPECT_EQ(x + ink.right + 4, found.black.right);
        EXPECT_EQ(y + ink.bottom + 4, found.black.bottom);
    }
}

TEST(LogoText, OnlyTextItemsArePainted)
{
    CBitmapCanvas canvas(200, 100);
    ASSERT_TRUE(canvas.IsValid());
    std::vector<std::unique_ptr<CLogoItem>> logos;
    logos.push_back(TextLogo(0, "Bitmap", 240, "Tahoma"));
    logos.back()->m_bText = 0;
    logos.push_back(nullptr);
    PaintGradient(canvas.Dc(), canvas.Client());
    PaintLogoTexts(canvas.Dc(), canvas.Client(), logos);
    EXPECT_EQ(0, FindTextPixels(canvas).nChanged);
}

TEST(LogoText, PaintingLeavesTheDeviceContextsFontInPlace)
{
    CBitmapCanvas canvas(200, 100);
    ASSERT_TRUE(canvas.IsValid());
    HGDIOBJ before = ::GetCurrentObject(canvas.Dc(), OBJ_FONT);
    std::vector<std::unique_ptr<CLogoItem>> logos;
    logos.push_back(TextLogo(0, "A", 120, "Tahoma"));
    logos.push_back(TextLogo(3, "B", 120, "Tahoma"));
    PaintLogoTexts(canvas.Dc(), canvas.Client(), logos);
    EXPECT_EQ(before, ::GetCurrentObject(canvas.Dc(), OBJ_FONT));
}

}  // namespace
