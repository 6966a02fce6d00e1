#include "bench/JokeFiles.h"

#include <filesystem>
#include <random>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CFile.h"
#include "platform/base/CMemFile.h"
#include "reader/store/JokeArchive.h"

namespace bench {

std::string MakeJokesDataFile(const std::string& dir, int n) {
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/jokes_" + std::to_string(n) + ".dat";
    if (std::filesystem::exists(path)) {
        return path;
    }
    static const char16_t* const words[] = {
        u"why",   u"did",  u"the",     u"programmer", u"cross", u"road",   u"because",
        u"a",     u"cat",  u"walks",   u"into",       u"bar",   u"and",    u"asks",
        u"for",   u"café", u"nothing", u"works",      u"until", u"coffee", u"is",
        u"ready", u"said", u"teacher", u"pupil",      u"banana"};
    std::mt19937 random(20261211);
    std::normal_distribution<double> length(150.0, 60.0);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);

    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store, 4096);
        ar << static_cast<LONG>(n);
        ar << CString(u"benchmark");
        for (int i = 0; i < n; ++i) {
            const auto target = static_cast<int>(std::clamp(length(random), 40.0, 400.0));
            CString text;
            while (text.GetLength() < target) {
                text += words[pick(random)];
                text += (text.GetLength() % 7 == 0) ? u'\n' : u' ';
            }
            ar << text;
        }
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(memory.GetLength()));
    memory.SeekToBegin();
    memory.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    ScrambleJokesData(bytes);
    const std::string partial = path + ".part";
    {
        CFile out(CString::FromUtf8(partial), CFile::modeCreate | CFile::modeWrite);
        out.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        out.Close();
    }
    std::filesystem::rename(partial, path);
    return path;
}

}  // namespace bench
