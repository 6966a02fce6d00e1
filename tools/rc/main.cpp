// jokepad-rc: compiles a resource script into the C++ tables of platform/base/Resources.h.

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/rc/CodeWriter.h"
#include "tools/rc/Error.h"
#include "tools/rc/FileSystem.h"
#include "tools/rc/Parser.h"

namespace {

constexpr const char* kUsage =
    "Usage: jokepad-rc [-I DIR]... --name NAME -o OUT.cpp [--depfile OUT.d] SCRIPT.rc\n"
    "Compiles a resource script into C++ that defines\n"
    "  const ResourceModule& NAMEResources();\n"
    "\n"
    "  -I DIR           look for included and named files in DIR too\n"
    "  --name NAME      the name the function starts with (a C++ identifier)\n"
    "  -o OUT.cpp       the file to write\n"
    "  --depfile OUT.d  also write the files read, as a make rule, for the build\n"
    "  --help           show this text\n"
    "  --version        show the version\n";

int Usage(const std::string& message) {
    std::cerr << "jokepad-rc: " << message << "\n" << kUsage;
    return 2;
}

bool IsIdentifier(const std::string& name) {
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    for (char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    }
    return true;
}

// Make's escaping, which ninja reads too.
std::string DepPath(const std::string& path) {
    std::string out;
    for (char c : std::filesystem::absolute(path).lexically_normal().string()) {
        if (c == ' ' || c == '#' || c == '\\')
            out += '\\';
        else if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

// Written beside the target and renamed over it, so a failed run leaves no half file.
bool WriteFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << content;
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> includeDirs;
    std::string name;
    std::string output;
    std::string depfile;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&](const char* option) -> std::string {
            if (i + 1 >= argc)
                throw std::string(option) + " needs a value";
            return argv[++i];
        };
        try {
            if (arg == "--help") {
                std::cout << kUsage;
                return 0;
            }
            if (arg == "--version") {
                std::cout << "jokepad-rc 1.0\n";
                return 0;
            }
            if (arg == "-I")
                includeDirs.push_back(value("-I"));
            else if (arg.rfind("-I", 0) == 0)
                includeDirs.push_back(arg.substr(2));
            else if (arg == "--name")
                name = value("--name");
            else if (arg == "-o")
                output = value("-o");
            else if (arg == "--depfile")
                depfile = value("--depfile");
            else if (!arg.empty() && arg[0] == '-')
                return Usage("unknown option " + arg);
            else if (script.empty())
                script = arg;
            else
                return Usage("one script at a time");
        } catch (const std::string& message) {
            return Usage(message);
        }
    }
    if (script.empty())
        return Usage("no script given");
    if (output.empty())
        return Usage("no output file given (-o)");
    if (!IsIdentifier(name))
        return Usage("--name needs a C++ identifier");

    try {
        rc::RealFileSystem files;
        const rc::Script parsed = rc::ParseScript(files, script, includeDirs);
        const std::string code = rc::WriteModule(parsed, name + "Resources",
                                                 std::filesystem::path(script).filename().string());
        if (!WriteFile(output, code)) {
            std::cerr << "jokepad-rc: " << output << ": cannot write the file\n";
            return 1;
        }
        if (!depfile.empty()) {
            std::string rule = DepPath(output) + ":";
            for (const std::string& path : parsed.filesRead)
                rule += " \\\n  " + DepPath(path);
            if (!WriteFile(depfile, rule + "\n")) {
                std::cerr << "jokepad-rc: " << depfile << ": cannot write the file\n";
                return 1;
            }
        }
    } catch (const rc::Error& error) {
        std::cerr << "jokepad-rc: " << error.Describe() << "\n";
        return 1;
    }
    return 0;
}
