#include "platform/base/MessageBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/AppProfile.h"
#include "platform/base/ModulePath.h"
#include "platform/base/Resources.h"

namespace {

struct Shown {
    std::string text;
    std::string caption;
    UINT type;
};

class RecordingBox final : public platform::IMessageBoxService {
public:
    int Show(const CString& text, const CString& caption, UINT type) override {
        shown.push_back({text.ToUtf8(), caption.ToUtf8(), type});
        return answer;
    }
    std::vector<Shown> shown;
    int answer = IDNO;
};

TEST(MessageBoxTest, HeadlessBoxPrintsTheTextAndTakesTheDefaultButton) {
    struct Case {
        const char16_t* text;
        UINT type;
        int answer;
        const char* printed;
    };
    const std::vector<Case> cases = {
        {u"Cannot open jokes data file.", MB_ICONSTOP, IDOK,
         "message: Cannot open jokes data file.\n"},
        {u"No favorites defined. ", MB_OK, IDOK, "message: No favorites defined. \n"},
        {u"Go on?", MB_OKCANCEL | MB_ICONQUESTION, IDOK, "message: Go on?\n"},
        {u"Install?", MB_YESNO | MB_ICONEXCLAMATION, IDYES, "message: Install?\n"},
        {u"Gr\u00FC\u00DFe \U0001F600", MB_ICONINFORMATION, IDOK,
         "message: Gr\xC3\xBC\xC3\x9F"
         "e \xF0\x9F\x98\x80\n"},
        {u"", MB_OK, IDOK, "message: \n"},
    };
    ASSERT_EQ(platform::SetMessageBoxService(nullptr), nullptr) << "a test left its service behind";
    for (const Case& c : cases) {
        ::testing::internal::CaptureStdout();
        const int answer = AfxMessageBox(c.text, c.type);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), c.printed) << "type " << c.type;
        EXPECT_EQ(answer, c.answer) << c.printed;
    }
}

TEST(MessageBoxTest, AServiceTakesOverAndIsGivenTheApplicationNameAsCaption) {
    RecordingBox box;
    ASSERT_EQ(platform::SetMessageBoxService(&box), nullptr);
    {
        CAppProfile app(u"jokepad");
        ASSERT_EQ(CAppProfile::Current(), &app);
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(AfxMessageBox(u"Really?", MB_YESNO | MB_ICONQUESTION), IDNO);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "a service's box is not printed";
    }
    // Without an application object the caption is the program's name.
    platform::SetModulePathForTesting(CString(u"/opt/jokes/witze.exe"));
    box.answer = IDOK;
    EXPECT_EQ(AfxMessageBox(u"Hello"), IDOK);
    platform::SetModulePathForTesting(std::nullopt);

    EXPECT_EQ(platform::SetMessageBoxService(nullptr), &box);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text, "Really?");
    EXPECT_EQ(box.shown[0].caption, "jokepad");
    EXPECT_EQ(box.shown[0].type, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(box.shown[1].caption, "witze");
    EXPECT_EQ(box.shown[1].type, MB_OK);
}

TEST(MessageBoxTest, ANumberedMessageComesFromTheStringTable) {
    ResourceModule module;
    module.strings[61204] = u"Cannot open jokes data file.";
    const ResourceModule* previous = AfxGetResourceModule();
    AfxSetResourceModule(&module);
    RecordingBox box;
    platform::SetMessageBoxService(&box);

    EXPECT_EQ(AfxMessageBox(61204, MB_ICONSTOP), IDNO);
    AfxMessageBox(61299);  // not in the table: still says something

    platform::SetMessageBoxService(nullptr);
    AfxSetResourceModule(previous);
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[0].text, "Cannot open jokes data file.");
    EXPECT_EQ(box.shown[0].type, MB_ICONSTOP);
    EXPECT_NE(box.shown[1].text.find("61299"), std::string::npos) << box.shown[1].text;
}

}  // namespace
