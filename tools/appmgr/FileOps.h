#pragma once
// The few file operations the manager needs, on POSIX calls, so that a file is either written
// whole and on the disk or reported as failed.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace appmgr {

// Creates path, which must not exist yet (nor be a link), with the bytes and the mode, and
// forces it onto the disk. Throws std::system_error; a failed write removes what it created.
void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                  mode_t mode);

// Replaces path with a file of the bytes: a new file beside it, then a rename over it.
void ReplaceFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                 mode_t mode);

// The whole file, when it is at most maxSize bytes. Throws std::system_error, or
// std::length_error when it is larger.
std::string ReadSmallFile(const std::filesystem::path& path, std::uintmax_t maxSize);

}  // namespace appmgr
