#include "platform/display/ImageCompare.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/display/PngWriter.h"

namespace platform {
namespace {

std::string Hex(std::uint32_t pixel) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(pixel & 0xFFFFFFu));
    return text;
}

std::string SizeText(const Image& image) {
    return std::to_string(image.width) + "x" + std::to_string(image.height);
}

// Describes how frame differs from reference, or returns "" when it does not.
std::string Differences(const Image& frame, const Image& reference) {
    if (frame.width != reference.width || frame.height != reference.height) {
        return "the frame is " + SizeText(frame) + ", the reference " + SizeText(reference);
    }
    std::size_t count = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        if (((frame.pixels[i] ^ reference.pixels[i]) & 0xFFFFFFu) != 0) {
            if (count++ == 0) {
                first = i;
            }
        }
    }
    if (count == 0) {
        return {};
    }
    const auto width = static_cast<std::size_t>(frame.width);
    return std::to_string(count) + " of " + std::to_string(frame.pixels.size()) +
           " pixels differ, the first at (" + std::to_string(first % width) + ", " +
           std::to_string(first / width) + "): " + Hex(frame.pixels[first]) +
           " where the reference has " + Hex(reference.pixels[first]);
}

}  // namespace

ReferenceCompareOptions ReferenceCompareOptions::FromEnvironment() {
    ReferenceCompareOptions options;
    const char* update = std::getenv("JOKEPAD_UPDATE_REFERENCES");
    options.createMissing = update != nullptr && *update != '\0' && std::string(update) != "0";
    return options;
}

std::string ErrorImagePath(const std::string& referencePath, const std::string& errorFolder) {
    const std::filesystem::path reference(referencePath);
    const std::filesystem::path folder =
        errorFolder.empty() ? reference.parent_path() : std::filesystem::path(errorFolder);
    return (folder / (reference.stem().string() + "_err.png")).string();
}

bool CompareWithReference(const Image& frame, const std::string& referencePath,
                          const ReferenceCompareOptions& options, std::string* message) {
    std::string text;
    std::error_code ec;
    const std::string errorPath = ErrorImagePath(referencePath, options.errorFolder);

    if (!std::filesystem::exists(referencePath, ec) && options.createMissing) {
        if (!WritePng(referencePath, frame, &text)) {
            if (message != nullptr) {
                *message = text;
            }
            return false;
        }
        std::filesystem::remove(errorPath, ec);
        if (message != nullptr) {
            *message = "created the reference " + referencePath + "; review it";
        }
        return true;
    }

    Image reference;
    std::string problem;
    if (!std::filesystem::exists(referencePath, ec)) {
        problem = "the reference " + referencePath +
                  " does not exist; set JOKEPAD_UPDATE_REFERENCES=1 to create it";
    } else if (!ReadPng(referencePath, &reference, &text)) {
        problem = text;
    } else {
        problem = Differences(frame, reference);
        if (problem.empty()) {
            std::filesystem::remove(errorPath, ec);
            if (message != nullptr) {
                message->clear();
            }
            return true;
        }
        problem = "the frame does not match " + referencePath + ": " + problem;
    }

    if (WritePng(errorPath, frame, &text)) {
        problem += "; the frame is in " + errorPath;
    } else {
        problem += "; and the frame could not be kept: " + text;
    }
    if (message != nullptr) {
        *message = problem;
    }
    return false;
}

}  // namespace platform
