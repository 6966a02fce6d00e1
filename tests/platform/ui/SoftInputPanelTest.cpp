// The soft input panel: shown and hidden through SHSipInfo above the command bar, its keys
// typing into the focused control as hardware keys do (Enter included, as a key-down the form
// sees first), Shift for one key, and never taking the focus or the activation.

#include "platform/gdi/SystemColors.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/SoftInputPanel.h"
#include "platform/ui/VirtualKeys.h"
#include "tests/platform/ui/ControlTestSupport.h"

namespace {

using ctltest::ControlTest;
using SoftInputPanelTest = ControlTest;

BOOL SetSip(DWORD flags) {
    SIPINFO si{};
    si.cbSize = sizeof(si);
    si.fdwFlags = flags;
    return SHSipInfo(SPI_SETSIPINFO, 0, &si, 0);
}

TEST_F(SoftInputPanelTest, SipInfoShowsAndHidesTheKeyboardAboveTheCommandBar) {
    const std::uint32_t before = uitest::Pixel(120, 250);
    ASSERT_TRUE(SetSip(SIPF_ON));
    platform::RunUntilIdle();
    ASSERT_NE(platform::SipWindow(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(platform::SipWindow()));
    EXPECT_EQ(OnScreen(platform::SipWindow()), CRect(0, 214, 240, 294));
    EXPECT_EQ(uitest::Pixel(0, 214), 0xC0C0C0u) << "the keyboard's face";
    EXPECT_EQ(::GetActiveWindow(), parent.m_hWnd) << "showing it activates nothing";

    SIPINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
    EXPECT_TRUE(info.fdwFlags & SIPF_ON);
    EXPECT_EQ(CRect(info.rcSipRect), CRect(0, 214, 240, 294));
    EXPECT_EQ(CRect(info.rcVisibleDesktop), CRect(0, 26, 240, 214));

    ASSERT_TRUE(SetSip(0));
    platform::RunUntilIdle();
    EXPECT_FALSE(::IsWindowVisible(platform::SipWindow()));
    EXPECT_EQ(uitest::Pixel(120, 250), before) << "what was under it is shown again";
    ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
    EXPECT_FALSE(info.fdwFlags & SIPF_ON);
    EXPECT_EQ(CRect(info.rcVisibleDesktop), CRect(0, 26, 240, 294));

    // Wrong requests are refused.
    SIPINFO wrong{};
    wrong.cbSize = sizeof(wrong) - 4;
    wrong.fdwFlags = SIPF_ON;
    EXPECT_FALSE(SHSipInfo(SPI_SETSIPINFO, 0, &wrong, 0));
    EXPECT_FALSE(SHSipInfo(SPI_SETSIPINFO, 0, nullptr, 0));
    EXPECT_FALSE(SHSipInfo(12345, 0, &info, 0));
    EXPECT_FALSE(::IsWindowVisible(platform::SipWindow()));
}

TEST_F(SoftInputPanelTest, TappedKeysTypeIntoTheFocusedEditAndEnterArrivesAsAKeyDown) {
    CEdit edit;
    ASSERT_TRUE(
        edit.Create(WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(4, 4, 60, 24), &parent, 1012));
    edit.SetFocus();
    ASSERT_TRUE(SetSip(SIPF_ON));
    platform::RunUntilIdle();
    parent.keys.clear();
    Tap(platform::SipKeyRect('7').CenterPoint());
    Tap(platform::SipKeyRect(VK_RETURN).CenterPoint());
    EXPECT_EQ(Text(edit.m_hWnd), u"7");
    EXPECT_EQ(::GetFocus(), edit.m_hWnd) << "the keyboard takes no focus";
    EXPECT_EQ(::GetActiveWindow(), parent.m_hWnd);
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_KEYDOWN, '7'},       {WM_CHAR, u'7'}, {WM_KEYUP, '7'},
        {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13},   {WM_KEYUP, VK_RETURN},
    };
    std::vector<std::pair<UINT, WPARAM>> seen;
    for (const MSG& m : parent.keys) {
        seen.emplace_back(m.message, m.wParam);
        EXPECT_EQ(m.hwnd, edit.m_hWnd) << "addressed to the focused control";
    }
    EXPECT_EQ(seen, expected);

    // Backspace, the space bar and the arrows work on the text as their keys do.
    Tap(platform::SipKeyRect(VK_SPACE).CenterPoint());
    Tap(platform::SipKeyRect('8').CenterPoint());
    Tap(platform::SipKeyRect(VK_LEFT).CenterPoint());
    Tap(platform::SipKeyRect(VK_BACK).CenterPoint());
    EXPECT_EQ(Text(edit.m_hWnd), u"78");
}

TEST_F(SoftInputPanelTest, ShiftHoldsForOneKey) {
    const HWND edit = Make(u"EDIT", u"", WS_BORDER | ES_AUTOHSCROLL, CRect(4, 4, 200, 24), 1);
    ::SetFocus(edit);
    ASSERT_TRUE(SetSip(SIPF_ON));
    for (UINT vk : {VK_SHIFT, UINT{'H'}, UINT{'I'}, VK_SHIFT, UINT{'1'}})
        Tap(platform::SipKeyRect(vk).CenterPoint());
    EXPECT_EQ(Text(edit), u"Hi!");
    // A key held down looks pressed and types once.
    const CRect key = platform::SipKeyRect('Q');
    Down(key.CenterPoint());
    EXPECT_EQ(uitest::Pixel(key.left + 2, key.top + 2), 0x000000u);
    Up(key.CenterPoint());
    EXPECT_EQ(uitest::Pixel(key.left + 2, key.top + 2), 0xFFFFFFu);
    EXPECT_EQ(Text(edit), u"Hi!q");
}

TEST_F(SoftInputPanelTest, TheKeyboardStaysAboveWindowsOpenedLater) {
    ASSERT_TRUE(SetSip(SIPF_ON));
    auto dialog = uitest::MakeTopLevel(platform::WorkAreaRect());
    dialog->SetActiveWindow();
    platform::RunUntilIdle();
    EXPECT_EQ(CWnd::WindowFromPoint(CPoint(120, 250))->m_hWnd, platform::SipWindow());
    EXPECT_EQ(uitest::Pixel(0, 214), 0xC0C0C0u);
    EXPECT_EQ(::GetActiveWindow(), dialog->m_hWnd);
    dialog->DestroyWindow();
}

}  // namespace
