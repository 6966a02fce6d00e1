#include "tools/jokepack/JokePack.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CAtomicFile.h"
#include "platform/base/CFile.h"
#include "platform/base/CMemFile.h"
#include "platform/base/Utf.h"
#include "reader/store/JokeArchive.h"
#include "tools/jokepack/JokeText.h"

namespace jokepack {
namespace {

constexpr const char* kVersion = "jokepack 1.0.0";

constexpr const char* kUsage =
    "usage: jokepack [--favorites] VERB ...\n"
    "\n"
    "Makes, reads and checks the jokes data files of jokepad (scrambled, with a reserved\n"
    "string) and, with --favorites, its favourites files (plain).\n"
    "\n"
    "  pack [--reserved TEXT] [--single-byte] INPUT.txt OUTPUT.dat\n"
    "        INPUT is UTF-8 text in the form of fortune files: jokes one after another,\n"
    "        each followed by a line holding only '%' (the last may be left out).\n"
    "        --single-byte writes the single-byte string form (Windows-1252).\n"
    "  unpack FILE OUTPUT.txt      the jokes as text again ('-' for standard output)\n"
    "  count FILE                  the number of jokes\n"
    "  show FILE N                 joke N (one-based) and a newline\n"
    "  check FILE                  'ok: N jokes', or the byte offset and what is wrong\n"
    "\n"
    "  --help, --version\n";

struct Options {
    bool favorites = false;
    bool singleByte = false;
    CString reserved;
    std::vector<std::string> operands;
};

class Failure {
public:
    explicit Failure(std::string message) : m_message(std::move(message)) {}
    const std::string& What() const { return m_message; }

private:
    std::string m_message;
};

// A command line that names the wrong operands: exit status 2, not 1.
class UsageError : public Failure {
public:
    using Failure::Failure;
};

CString PathOf(const std::string& path) { return CString::FromUtf8(path); }

std::string ErrorText(const CException& e) {
    TCHAR buffer[512] = {};
    e.GetErrorMessage(buffer, 511);
    return CString(buffer).ToUtf8();
}

JokeFileKind KindOf(const Options& options) {
    return options.favorites ? JokeFileKind::Favorites : JokeFileKind::JokesData;
}

std::vector<BYTE> ReadWholeFile(const std::string& path) {
    CFile file;
    CFileException error;
    if (!file.Open(PathOf(path), CFile::modeRead, &error)) {
        throw Failure(ErrorText(error));
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(file.GetLength()));
    if (file.Read(bytes.data(), static_cast<UINT>(bytes.size())) != bytes.size()) {
        throw Failure(path + ": the file could not be read whole");
    }
    return bytes;
}

struct Loaded {
    CJokeList jokes;
    ULONGLONG used = 0;  // bytes the layout took; the rest is ignored
    ULONGLONG size = 0;
};

// Reads a jokes data file or a favourites file; a damaged one is a Failure naming the byte.
Loaded Load(const Options& options, const std::string& path) {
    std::vector<BYTE> bytes = ReadWholeFile(path);
    if (!options.favorites) {
        ScrambleJokesData(bytes);
    }
    Loaded loaded;
    loaded.size = bytes.size();
    CMemFile memory(bytes.data(), static_cast<UINT>(bytes.size()), 0);
    try {
        CArchive ar(&memory, CArchive::load, 4096);
        ReadJokeArchive(ar, KindOf(options), loaded.jokes);
        loaded.used = ar.GetPosition();
        ar.Close();
    } catch (const CJokeFileException& e) {
        throw Failure(path + ": damaged at byte " + std::to_string(e.m_nOffset) + ": " +
                      e.m_strReason.ToUtf8());
    } catch (const CException& e) {
        throw Failure(path + ": " + ErrorText(e));
    }
    return loaded;
}

// Writes through a temporary file renamed into place, so a failure leaves no half file.
void WriteWholeFile(const std::string& path, const BYTE* data, std::size_t size) {
    CAtomicFile file;
    CFileException error;
    if (!file.Open(PathOf(path), &error)) {
        throw Failure(ErrorText(error));
    }
    try {
        file.Write(data, static_cast<UINT>(size));
        file.Commit();
    } catch (const CException& e) {
        throw Failure(ErrorText(e));
    }
}

int Pack(const Options& options, std::ostream& err) {
    if (options.operands.size() != 2) {
        throw UsageError("pack needs INPUT.txt and OUTPUT.dat");
    }
    std::ifstream in(options.operands[0], std::ios::binary);
    if (!in) {
        throw Failure(options.operands[0] + ": cannot be opened");
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::vector<TextJoke> parsed = ParseJokeText(text.str());

    CMemFile memory;
    CArchive ar(&memory, CArchive::store, 4096);
    ar << static_cast<LONG>(parsed.size());
    const JokeFileKind kind = KindOf(options);
    if (options.singleByte) {
        auto writeSingleByte = [&](const CString& s, const std::string& what) {
            std::string bytes;
            const std::optional<std::size_t> bad = platform::EncodeWindows1252(s.View(), bytes);
            if (bad) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(s.View()[*bad]));
                throw Failure(what + ": the character " + code +
                              " cannot be written in the single-byte form");
            }
            ar.WriteSingleByteString(bytes);
        };
        if (kind == JokeFileKind::JokesData) {
            writeSingleByte(options.reserved, "the reserved string");
        }
        for (std::size_t i = 0; i < parsed.size(); ++i) {
            writeSingleByte(CString::FromUtf8(parsed[i].text),
                            "joke " + std::to_string(i + 1) + " (line " +
                                std::to_string(parsed[i].firstLine) + ")");
        }
    } else {
        if (kind == JokeFileKind::JokesData) {
            ar << options.reserved;
        }
        for (const TextJoke& joke : parsed) {
            ar << CString::FromUtf8(joke.text);
        }
    }
    ar.Close();
    const auto length = static_cast<std::size_t>(memory.GetLength());
    std::vector<BYTE> bytes(length);
    memory.SeekToBegin();
    memory.Read(bytes.data(), static_cast<UINT>(length));
    if (kind == JokeFileKind::JokesData) {
        ScrambleJokesData(bytes);
    }
    WriteWholeFile(options.operands[1], bytes.data(), bytes.size());
    (void)err;
    return kExitOk;
}

int Unpack(const Options& options, std::ostream& out) {
    if (options.operands.size() != 2) {
        throw UsageError("unpack needs FILE and OUTPUT.txt (or -)");
    }
    const Loaded loaded = Load(options, options.operands[0]);
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(loaded.jokes.GetSize()));
    for (int i = 0; i < loaded.jokes.GetSize(); ++i) {
        texts.push_back(loaded.jokes[i].m_text.ToUtf8());
    }
    const std::string text = FormatJokeText(texts);
    if (options.operands[1] == "-") {
        out << text;
        out.flush();
        if (!out) {
            throw Failure("standard output could not be written");
        }
        return kExitOk;
    }
    WriteWholeFile(options.operands[1], reinterpret_cast<const BYTE*>(text.data()), text.size());
    return kExitOk;
}

int Count(const Options& options, std::ostream& out) {
    if (options.operands.size() != 1) {
        throw UsageError("count needs FILE");
    }
    out << Load(options, options.operands[0]).jokes.GetSize() << '\n';
    return kExitOk;
}

int Show(const Options& options, std::ostream& out) {
    if (options.operands.size() != 2) {
        throw UsageError("show needs FILE and N");
    }
    const std::string& number = options.operands[1];
    long long n = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (ec != std::errc() || end != number.data() + number.size()) {
        throw UsageError("show: N must be a whole number, not '" + number + "'");
    }
    const Loaded loaded = Load(options, options.operands[0]);
    if (n < 1 || n > loaded.jokes.GetSize()) {
        throw Failure("show: there is no joke " + number + "; the file holds " +
                      std::to_string(loaded.jokes.GetSize()));
    }
    out << loaded.jokes[static_cast<int>(n - 1)].m_text.ToUtf8() << '\n';
    return kExitOk;
}

int Check(const Options& options, std::ostream& out) {
    if (options.operands.size() != 1) {
        throw UsageError("check needs FILE");
    }
    const Loaded loaded = Load(options, options.operands[0]);
    out << "ok: " << loaded.jokes.GetSize() << " jokes";
    if (loaded.used < loaded.size) {
        out << " (" << loaded.size - loaded.used << " bytes after the last joke are ignored)";
    }
    out << '\n';
    return kExitOk;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    std::string verb;
    std::size_t i = 0;
    auto usage = [&](const std::string& message) {
        err << "jokepack: " << message << "\n" << "Try 'jokepack --help'.\n";
        return kExitUsage;
    };
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return kExitOk;
        }
        if (a == "--version") {
            out << kVersion << '\n';
            return kExitOk;
        }
        if (a == "--favorites") {
            options.favorites = true;
        } else if (!a.empty() && a[0] == '-' && verb.empty()) {
            return usage("unknown option " + a);
        } else {
            verb = a;
            ++i;
            break;
        }
    }
    if (verb.empty()) {
        return usage("no verb given");
    }
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (verb == "pack" && a == "--single-byte") {
            options.singleByte = true;
        } else if (verb == "pack" && a == "--reserved") {
            if (i + 1 == args.size()) {
                return usage("--reserved needs TEXT");
            }
            options.reserved = CString::FromUtf8(args[++i]);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return usage("unknown option " + a + " for " + verb);
        } else {
            options.operands.push_back(a);
        }
    }
    if (options.favorites && !options.reserved.IsEmpty()) {
        return usage("a favourites file has no reserved string");
    }
    try {
        if (verb == "pack") {
            return Pack(options, err);
        }
        if (verb == "unpack") {
            return Unpack(options, out);
        }
        if (verb == "count") {
            return Count(options, out);
        }
        if (verb == "show") {
            return Show(options, out);
        }
        if (verb == "check") {
            return Check(options, out);
        }
    } catch (const UsageError& u) {
        return usage(u.What());
    } catch (const Failure& f) {
        err << "jokepack: " << f.What() << '\n';
        return kExitFailed;
    }
    return usage("unknown verb " + verb);
}

}  // namespace jokepack
