#include "platform/desktop/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(StreamMessagePresenter, WritesCaptionAndTextOnALineAndAnswersOk) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    StreamMessagePresenter presenter(stream);
    EXPECT_EQ(presenter.MessageBox("Unable to run CE Application Manager.", "Error",
                                   MB_ICONERROR | MB_OK),
              IDOK);
    std::rewind(stream);
    char line[128] = {};
    ASSERT_NE(std::fgets(line, sizeof line, stream), nullptr);
    EXPECT_EQ(std::string(line), "Error: Unable to run CE Application Manager.\n");
    std::fclose(stream);
}

}  // namespace
