#pragma once
// Golden-image checks for screens: a frame against a reviewed reference PNG. On a mismatch the
// frame is written as <name>_err.png so the difference can be looked at; a missing reference
// is made only when asked for, so that a new screen is always reviewed before it is trusted.

#include <string>

#include "platform/display/Image.h"

namespace platform {

struct ReferenceCompareOptions {
    // Write the frame as the reference when none exists yet (and report a match).
    bool createMissing = false;
    // Folder for <name>_err.png; empty puts it beside the reference.
    std::string errorFolder;

    // createMissing when JOKEPAD_UPDATE_REFERENCES is set to anything but "" or "0".
    static ReferenceCompareOptions FromEnvironment();
};

// True when frame equals the reference pixel for pixel. Otherwise false, with a message that
// names the sizes or the differing pixels and the _err.png written. A match removes an _err.png
// left by an earlier failure.
bool CompareWithReference(const Image& frame, const std::string& referencePath,
                          const ReferenceCompareOptions& options, std::string* message);

// The path the frame goes to when it does not match referencePath.
std::string ErrorImagePath(const std::string& referencePath, const std::string& errorFolder);

}  // namespace platform
