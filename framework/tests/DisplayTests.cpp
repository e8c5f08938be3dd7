#include "framework/Display.h"
#include "framework/RegistryKey.h"
#include "framework/testsupport/FontSizeGuard.h"
#include "framework/testsupport/PixelCanvas.h"
#include "framework/testsupport/TestScratch.h"

#include <gtest/gtest.h>

namespace {

// The real accessibility key, restored as it was; other test processes that
// touch it wait.
class FontSizeSetting : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_guard.Held()); }

    static void SetFontSize(DWORD size) { ASSERT_TRUE(FontSizeGuard::Set(size)); }
    static void RemoveValue() { FontSizeGuard::RemoveValue(); }

    FontSizeGuard m_guard;
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
    if (m_guard.KeyExisted() && values > 1)
        GTEST_SKIP() << "the accessibility key holds other settings";
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, AccessibilityKey), ERROR_SUCCESS);
    EXPECT_FALSE(IsLargeFontSet(true));
}

TEST(FillRectColor, FillsExactlyTheRectangleAndKeepsTheBackground)
{
    constexpr COLORREF Yellow = 0x00A4FFFF;
    vellumate::PixelCanvas canvas(20, 20);
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
