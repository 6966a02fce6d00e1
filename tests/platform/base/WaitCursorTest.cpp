#include "platform/base/WaitCursor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RecordingCursor final : public platform::IWaitCursorService {
public:
    void Begin() override { log += 'B'; }
    void End() override { log += 'E'; }
    std::string log;
};

class WaitCursorTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = platform::SetWaitCursorService(&cursor); }
    void TearDown() override {
        while (platform::WaitCursorDepth() > 0)
            platform::EndWaitCursor();
        platform::SetWaitCursorService(m_previous);
    }
    RecordingCursor cursor;

private:
    platform::IWaitCursorService* m_previous = nullptr;
};

TEST_F(WaitCursorTest, NestedWaitsReachTheServiceOnce) {
    platform::EndWaitCursor();  // an End without a Begin does nothing
    platform::BeginWaitCursor();
    {
        CWaitCursor inner;
        CWaitCursor innermost;
        EXPECT_EQ(platform::WaitCursorDepth(), 3);
    }
    EXPECT_EQ(cursor.log, "B");
    platform::EndWaitCursor();
    EXPECT_EQ(cursor.log, "BE");
    EXPECT_EQ(platform::WaitCursorDepth(), 0);
    { CWaitCursor again; }
    EXPECT_EQ(cursor.log, "BEBE");
}

TEST_F(WaitCursorTest, AWaitInProgressMovesToTheNewService) {
    CWaitCursor wait;
    RecordingCursor other;
    EXPECT_EQ(platform::SetWaitCursorService(&other), &cursor);
    EXPECT_EQ(cursor.log, "BE");
    EXPECT_EQ(other.log, "B");
    EXPECT_EQ(platform::SetWaitCursorService(&cursor), &other);
    EXPECT_EQ(other.log, "BE");
    EXPECT_EQ(cursor.log, "BEB");
}

}  // namespace
