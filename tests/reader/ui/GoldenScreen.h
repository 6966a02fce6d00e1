#pragma once
// The reader's screen against a reviewed golden image in tests/data/golden. A golden that does
// not match leaves <name>_err.png beside it; JOKEPAD_UPDATE_REFERENCES=1 makes a missing one, to
// be looked at before it is committed.

#include <gtest/gtest.h>

#include <string>

#include "platform/display/ImageCompare.h"
#include "platform/display/PngWriter.h"
#include "tests/reader/ui/ReaderTestSupport.h"

namespace readertest {

// Runs script in the reader, then compares the screen at its end with the golden image name.
inline void ExpectScreenMatchesGolden(const ReaderFolder& reader, const std::string& script,
                                      const std::string& name) {
    const fs::path shot = reader.Path() / "shot.png";
    const ChildResult r = reader.Run(script + "shot " + shot.string() + "\n");
    ASSERT_EQ(r.status, 0) << name << ": " << r.err;
    platform::Image image;
    std::string error;
    ASSERT_TRUE(platform::ReadPng(shot.string(), &image, &error)) << name << ": " << error;
    std::string message;
    EXPECT_TRUE(platform::CompareWithReference(
        image, std::string(JOKEPAD_TEST_DATA) + "/golden/" + name + ".png",
        platform::ReferenceCompareOptions::FromEnvironment(), &message))
        << name << ": " << message;
}

}  // namespace readertest
