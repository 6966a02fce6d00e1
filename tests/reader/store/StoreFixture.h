#pragma once
// A program stood in a temporary folder: its module path, its registry, its resources and
// a message-box service that records what the user would have been told.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/CArchive.h"
#include "platform/base/CMemFile.h"
#include "platform/base/MessageBox.h"
#include "platform/base/ModulePath.h"
#include "platform/base/Resources.h"
#include "reader/store/JokeArchive.h"
#include "reader/store/KippAppStore.h"

const ResourceModule& JokepadResources();

namespace storetest {

namespace fs = std::filesystem;

class RecordingMessageBoxes : public platform::IMessageBoxService {
public:
    int Show(const CString& text, const CString&, UINT type) override {
        texts.push_back(text.ToUtf8());
        types.push_back(type);
        return IDOK;
    }
    std::vector<std::string> texts;
    std::vector<UINT> types;
};

inline std::vector<BYTE> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const fs::path& path, const std::vector<BYTE>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The plain form of a jokes data file (count, reserved, jokes), or of a favourites file.
inline std::vector<BYTE> PlainArchive(const std::vector<std::u16string>& jokes,
                                      JokeFileKind kind, const CString& reserved = u"reserved") {
    CJokeList list;
    for (const auto& text : jokes) {
        CJoke joke;
        joke.m_text = CString(text);
        list.Add(joke);
    }
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store, 4096);
        WriteJokeArchive(ar, kind, list, reserved);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(memory.GetLength()));
    memory.SeekToBegin();
    memory.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

inline std::vector<BYTE> Scrambled(std::vector<BYTE> bytes) {
    ScrambleJokesData(bytes);
    return bytes;
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("jokepad-store-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        const char* old = std::getenv("JOKEPAD_REGISTRY");
        m_oldRegistry = old ? std::optional<std::string>(old) : std::nullopt;
        ::setenv("JOKEPAD_REGISTRY", (m_dir / "registry").c_str(), 1);
        platform::SetModulePathForTesting(CString::FromUtf8((m_dir / "jokepad").string()));
        AfxSetResourceModule(&JokepadResources());
        m_previousBoxes = platform::SetMessageBoxService(&m_boxes);
        m_app.emplace(u"jokepad");
        m_app->SetRegistryKey(u"Parlonda");
    }
    void TearDown() override {
        m_app.reset();
        platform::SetMessageBoxService(m_previousBoxes);
        platform::SetModulePathForTesting(std::nullopt);
        if (m_oldRegistry) {
            ::setenv("JOKEPAD_REGISTRY", m_oldRegistry->c_str(), 1);
        } else {
            ::unsetenv("JOKEPAD_REGISTRY");
        }
        fs::remove_all(m_dir);
    }

    fs::path DataPath() const { return m_dir / "jokepad.dat"; }
    fs::path FavoritesPath() const { return m_dir / "jokepad.fav"; }
    void WriteDataFile(const std::vector<std::u16string>& jokes) {
        WriteBytes(DataPath(), Scrambled(PlainArchive(jokes, JokeFileKind::JokesData)));
    }
    void WriteFavorites(const std::vector<std::u16string>& jokes) {
        WriteBytes(FavoritesPath(), PlainArchive(jokes, JokeFileKind::Favorites));
    }

    fs::path m_dir;
    RecordingMessageBoxes m_boxes;
    std::optional<CKippAppStore> m_app;

private:
    std::optional<std::string> m_oldRegistry;
    platform::IMessageBoxService* m_previousBoxes = nullptr;
};

inline std::vector<std::u16string> Texts(const CJokeList& list) {
    std::vector<std::u16string> texts;
    for (int i = 0; i < list.GetSize(); ++i) {
        texts.push_back(list[i].m_text.Str());
    }
    return texts;
}

}  // namespace storetest
