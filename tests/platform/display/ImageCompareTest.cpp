#include "platform/display/ImageCompare.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "TempFolder.h"
#include "platform/display/PngWriter.h"

namespace platform {
namespace {

Image Filled(int width, int height, std::uint32_t colour) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * height, colour);
    return image;
}

class ImageCompare : public testing::Test {
protected:
    void SetUp() override {
        m_frame = Filled(6, 4, 0x336699);
        m_frame.pixels[5] = 0xFF0000;
        ASSERT_TRUE(WritePng(Reference(), m_frame, nullptr));
    }
    std::string Reference() const { return m_folder.File("screen.png"); }
    std::string ErrorFile() const { return m_folder.File("screen_err.png"); }

    TempFolder m_folder;
    Image m_frame;
};

TEST_F(ImageCompare, EqualFrameMatchesAndClearsAnOldErrorImage) {
    ASSERT_TRUE(WritePng(ErrorFile(), Filled(1, 1, 0), nullptr));
    std::string message = "stale";
    EXPECT_TRUE(CompareWithReference(m_frame, Reference(), {}, &message)) << message;
    EXPECT_EQ(message, "");
    EXPECT_FALSE(std::filesystem::exists(ErrorFile()));
}

TEST_F(ImageCompare, OnePixelOffFailsNamesItAndKeepsTheFrame) {
    Image changed = m_frame;
    changed.pixels[2 * 6 + 3] = 0x336698;  // (3, 2), one step of blue
    std::string message;
    EXPECT_FALSE(CompareWithReference(changed, Reference(), {}, &message));
    EXPECT_NE(message.find("1 of 24 pixels differ"), std::string::npos) << message;
    EXPECT_NE(message.find("(3, 2): 0x336698 where the reference has 0x336699"), std::string::npos)
        << message;
    EXPECT_NE(message.find(ErrorFile()), std::string::npos) << message;

    Image kept;
    ASSERT_TRUE(ReadPng(ErrorFile(), &kept, nullptr));
    EXPECT_EQ(kept, changed);
    Image reference;
    ASSERT_TRUE(ReadPng(Reference(), &reference, nullptr));
    EXPECT_EQ(reference, m_frame) << "the reference must not be touched";
}

TEST_F(ImageCompare, OtherSizeFails) {
    std::string message;
    EXPECT_FALSE(CompareWithReference(Filled(4, 6, 0x336699), Reference(), {}, &message));
    EXPECT_NE(message.find("the frame is 4x6, the reference 6x4"), std::string::npos) << message;
    EXPECT_TRUE(std::filesystem::exists(ErrorFile()));
}

TEST_F(ImageCompare, ErrorImageGoesToTheFolderAskedFor) {
    TempFolder other;
    ReferenceCompareOptions options;
    options.errorFolder = other.Path().string();
    EXPECT_FALSE(CompareWithReference(Filled(6, 4, 0), Reference(), options, nullptr));
    EXPECT_TRUE(std::filesystem::exists(other.File("screen_err.png")));
    EXPECT_FALSE(std::filesystem::exists(ErrorFile()));
}

TEST_F(ImageCompare, MissingReferenceIsMadeOnlyOnRequest) {
    const std::string fresh = m_folder.File("new_screen.png");
    std::string message;
    EXPECT_FALSE(CompareWithReference(m_frame, fresh, {}, &message));
    EXPECT_NE(message.find("JOKEPAD_UPDATE_REFERENCES=1"), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::exists(m_folder.File("new_screen_err.png")));

    ReferenceCompareOptions create;
    create.createMissing = true;
    EXPECT_TRUE(CompareWithReference(m_frame, fresh, create, &message)) << message;
    EXPECT_NE(message.find("review"), std::string::npos) << message;
    Image made;
    ASSERT_TRUE(ReadPng(fresh, &made, nullptr));
    EXPECT_EQ(made, m_frame);
    EXPECT_FALSE(std::filesystem::exists(m_folder.File("new_screen_err.png")));

    // An existing reference is never overwritten, even on request.
    EXPECT_FALSE(CompareWithReference(Filled(6, 4, 0), fresh, create, &message));
    ASSERT_TRUE(ReadPng(fresh, &made, nullptr));
    EXPECT_EQ(made, m_frame);
}

TEST_F(ImageCompare, UnreadableReferenceFails) {
    const std::string broken = m_folder.File("broken.png");
    { std::ofstream(broken) << "not an image"; }
    std::string message;
    EXPECT_FALSE(CompareWithReference(m_frame, broken, {}, &message));
    EXPECT_NE(message.find(broken), std::string::npos) << message;
    EXPECT_TRUE(std::filesystem::exists(m_folder.File("broken_err.png")));
}

TEST(ImageCompareOptions, UpdateIsRequestedByTheEnvironment) {
    const char* saved = std::getenv("JOKEPAD_UPDATE_REFERENCES");
    const std::string savedValue = saved != nullptr ? saved : "";
    const struct {
        const char* value;  // nullptr: not set
        bool create;
    } cases[] = {{nullptr, false}, {"", false}, {"0", false}, {"1", true}, {"yes", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value != nullptr ? c.value : "(unset)");
        if (c.value != nullptr) {
            ::setenv("JOKEPAD_UPDATE_REFERENCES", c.value, 1);
        } else {
            ::unsetenv("JOKEPAD_UPDATE_REFERENCES");
        }
        EXPECT_EQ(ReferenceCompareOptions::FromEnvironment().createMissing, c.create);
    }
    if (saved != nullptr) {
        ::setenv("JOKEPAD_UPDATE_REFERENCES", savedValue.c_str(), 1);
    } else {
        ::unsetenv("JOKEPAD_UPDATE_REFERENCES");
    }
}

}  // namespace
}  // namespace platform
