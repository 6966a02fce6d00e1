#include "platform/base/CException.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

TEST(CFileException, ErrnoMapsToTheFrameworkCause) {
    struct Case {
        int error;
        int cause;
    };
    const Case cases[] = {
        {0, CFileException::none},
        {ENOENT, CFileException::fileNotFound},
        {ENOTDIR, CFileException::badPath},
        {ENAMETOOLONG, CFileException::badPath},
        {EMFILE, CFileException::tooManyOpenFiles},
        {EACCES, CFileException::accessDenied},
        {EPERM, CFileException::accessDenied},
        {EROFS, CFileException::accessDenied},
        {EISDIR, CFileException::accessDenied},
        {EBADF, CFileException::invalidFile},
        {ENOSPC, CFileException::diskFull},
        {EDQUOT, CFileException::diskFull},
        {EFBIG, CFileException::diskFull},
        {EIO, CFileException::hardIO},
        {ESPIPE, CFileException::badSeek},
        {EBUSY, CFileException::sharingViolation},
        {ENOLCK, CFileException::lockViolation},
        {EPIPE, CFileException::genericException},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(CFileException::OsErrorToException(c.error), c.cause);
    }
    try {
        CFileException::ThrowOsError(ENOSPC, CString(u"/tmp/x.fav"));
        FAIL() << "no throw";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_lOsError, ENOSPC);
        EXPECT_EQ(e.m_strFileName, CString(u"/tmp/x.fav"));
    }
}

TEST(CFileException, TextNamesTheFile) {
    struct Case {
        int cause;
        const char16_t* file;
        const char16_t* text;
    };
    const Case cases[] = {
        {CFileException::accessDenied, u"/home/u/jokepad.fav",
         u"Access to /home/u/jokepad.fav was denied."},
        {CFileException::fileNotFound, u"/home/u/jokepad.fav",
         u"/home/u/jokepad.fav was not found."},
        {CFileException::diskFull, u"/home/u/jokepad.fav",
         u"There is not enough space on the disk to write /home/u/jokepad.fav."},
        {CFileException::badPath, u"/a/b", u"All or part of the path of /a/b is not valid."},
        {CFileException::fileNotFound, nullptr, u"The file was not found."},
        {CFileException::accessDenied, u"", u"Access to the file was denied."},
        {99, u"x", u"An unexpected error occurred while accessing x."},
    };
    for (const auto& c : cases) {
        const CFileException e(c.cause, -1, c.file);
        SCOPED_TRACE(e.GetErrorMessage().ToUtf8());
        EXPECT_EQ(e.GetErrorMessage(), CString(c.text));
    }
    // Every cause has its own sentence, and every sentence names the file.
    for (int cause = CFileException::none; cause <= CFileException::endOfFile; ++cause) {
        const CFileException e(cause, -1, u"/d/name.fav");
        EXPECT_NE(e.GetErrorMessage().Find(u"/d/name.fav"), -1) << cause;
        for (int other = CFileException::none; other < cause; ++other) {
            EXPECT_NE(e.GetErrorMessage(),
                      CFileException(other, -1, u"/d/name.fav").GetErrorMessage())
                << cause << " " << other;
        }
    }
}

TEST(CArchiveException, TextNamesTheFileAndTheOffset) {
    struct Case {
        CArchiveException e;
        const char16_t* text;
    };
    const Case cases[] = {
        {CArchiveException(CArchiveException::endOfFile, u"/d/jokepad.dat", 1234),
         u"/d/jokepad.dat ends unexpectedly at byte 1234."},
        {CArchiveException(CArchiveException::endOfFile, u"/d/jokepad.dat"),
         u"/d/jokepad.dat ends unexpectedly."},
        {CArchiveException(CArchiveException::badIndex, nullptr, 0),
         u"The file has an invalid format at byte 0."},
        {CArchiveException(CArchiveException::readOnly, u"f"),
         u"f was opened for reading and cannot be written."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.e.GetErrorMessage(), CString(c.text));
    }
}

TEST(CException, BufferFormAndStandardForm) {
    const CFileException e(CFileException::accessDenied, EACCES, u"/home/u/jokepad.fav");
    char16_t buf[260];
    std::fill(std::begin(buf), std::end(buf), u'#');
    UINT help = 77;
    EXPECT_TRUE(e.GetErrorMessage(buf, 259, &help));
    EXPECT_EQ(std::u16string(buf), u"Access to /home/u/jokepad.fav was denied.");
    EXPECT_EQ(help, 0u);

    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_TRUE(e.GetErrorMessage(buf, 7));
    EXPECT_EQ(std::u16string(buf), u"Access");  // cut to 6 and terminated
    EXPECT_EQ(buf[7], u'#');                    // nothing written beyond the limit
    EXPECT_FALSE(e.GetErrorMessage(buf, 0));
    EXPECT_FALSE(e.GetErrorMessage(nullptr, 10));

    try {
        throw CMemoryException();
    } catch (const std::exception& stray) {
        EXPECT_STREQ(stray.what(), "There is not enough memory to complete the operation.");
    }
    try {
        throw CFileException(CFileException::fileNotFound, ENOENT, u"/d/caf\u00e9.dat");
    } catch (const std::exception& stray) {
        EXPECT_STREQ(stray.what(), "/d/caf\xc3\xa9.dat was not found.");
    }
}

}  // namespace
