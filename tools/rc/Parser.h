#pragma once
// Reads a resource script, with what it includes and the files it names, into a Script. The
// first fault ends the reading with an Error that names the file and line.

#include <string>
#include <vector>

#include "tools/rc/FileSystem.h"
#include "tools/rc/Script.h"

namespace rc {

// includeDirs: where #include and named files are looked for after the naming file's folder.
Script ParseScript(FileSystem& files, const std::string& path,
                   const std::vector<std::string>& includeDirs);

}  // namespace rc
