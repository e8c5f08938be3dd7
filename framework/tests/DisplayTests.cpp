#include "framework/Display.h"
#include "framework/RegistryKey.h"
#include "framework/testsupport/TestScratch.h"

#include "platform/Handles.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr wchar_t AccessibilityKey[] = L"ControlPanel\\Accessibility";

// The real accessibility key, restored as it was; other test processes that
// touch it wait.
class FontSizeSetting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lock.Held());
        m_saved = GetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize");
        m_keyExisted = RegistryKeyExists(HKEY_CURRENT_USER, AccessibilityKey);
    }

    void TearDown() override
    {
        if (m_saved.exists) {
            SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", m_saved.type, m_saved.data.data(),
                                static_cast<DWORD>(m_saved.data.size()));
        } else if (m_keyExisted) {
            RemoveValue();
        } else {
            RegDeleteKeyW(HKEY_CURRENT_USER, AccessibilityKey);
        }
    }

    static void SetFontSize(DWORD size)
    {
        ASSERT_TRUE(
            SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", REG_DWORD, &size, sizeof size));
    }

    static void RemoveValue()
    {
        RegistryKey key;
        if (key.Open(HKEY_CURRENT_USER, AccessibilityKey, KEY_SET_VALUE))
            RegDeleteValueW(key.Get(), L"FontSize");
    }

    bool m_keyExisted = false;

private:
    CrossProcessLock m_lock{L"VellumateTests-FontSize"};
    RawRegistryValue m_saved;
};

TEST_F(FontSizeSetting, OnlySizeTwoIsLarge)
{
    SetFontSize(2);
    EXPECT_TRUE(IsLargeFontSet(true));
    SetFontSize(1);
    EXPECT_FALSE(IsLargeFontSet(true));
    SetFontSize(3);
    EXPECT_FALSE(IsLargeFontSet(true));

    // A text "2" is not the DWORD setting.
    const wchar_t text[] = L"2";
    ASSERT_TRUE(SetRawRegistryValue(HKEY_CURRENT_USER, AccessibilityKey, L"FontSize", REG_SZ, text, sizeof text));
    EXPECT_FALSE(IsLargeFontSet(true));

    SetFontSize(2);
    ASSERT_TRUE(IsLargeFontSet(true));
    RemoveValue();
    // Without refresh the remembered answer stays.
    EXPECT_TRUE(IsLargeFontSet(false));
    EXPECT_FALSE(IsLargeFontSet(true));
}

TEST_F(FontSizeSetting, AMissingKeyMeansTheNormalSize)
{
    SetFontSize(2);
    ASSERT_TRUE(IsLargeFontSet(true));
    RegistryKey key;
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, AccessibilityKey, KEY_QUERY_VALUE));
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    key.Reset();
    if (m_keyExisted && values > 1)
        GTEST_SKIP() << "the accessibility key holds other settings";
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, AccessibilityKey), ERROR_SUCCESS);
    EXPECT_FALSE(IsLargeFontSet(true));
}

// A 32-bit top-down bitmap selected into a memory DC.
class PixelCanvas {
public:
    PixelCanvas(int width, int height) : m_width(width), m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Reset(CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_pixels = static_cast<uint32_t*>(bits);
        m_old = SelectObject(m_dc.Get(), m_bitmap.Get());
    }
    ~PixelCanvas() { SelectObject(m_dc.Get(), m_old); }

    HDC Dc() const noexcept { return m_dc.Get(); }
    // The pixel as a COLORREF.
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        uint32_t pixel = m_pixels[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    int m_width;
    vellumate::MemoryDCHandle m_dc;
    vellumate::BitmapHandle m_bitmap;
    uint32_t* m_pixels = nullptr;
    HGDIOBJ m_old = nullptr;
};

TEST(FillRectColor, FillsExactlyTheRectangleAndKeepsTheBackground)
{
    constexpr COLORREF Yellow = 0x00A4FFFF;
    PixelCanvas canvas(20, 20);
    ASSERT_NE(canvas.Dc(), nullptr);
    SetBkColor(canvas.Dc(), RGB(255, 0, 0));

    FillRectColor(canvas.Dc(), RECT{2, 3, 10, 8}, Yellow);
    EXPECT_EQ(canvas.At(2, 3), Yellow);
    EXPECT_EQ(canvas.At(9, 7), Yellow);
    EXPECT_EQ(canvas.At(1, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(10, 7), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(9, 8), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(canvas.Dc()), RGB(255, 0, 0));

    FillRectColor(canvas.Dc(), 12, 12, 3, 2, RGB(0, 128, 255));
    EXPECT_EQ(canvas.At(12, 12), RGB(0, 128, 255));
    EXPECT_EQ(canvas.At(14, 13), RGB(0, 128, 255));
    EXPECT_EQ(canvas.At(15, 13), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(14, 14), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(canvas.Dc()), RGB(255, 0, 0));
}

}  // namespace
