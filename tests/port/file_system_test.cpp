// The file-system behaviours the program relies on, as one set of expectations for the real
// Win32 functions and for the simulated Windows alike.
#include <gtest/gtest.h>

#include <set>

#include "tests/port/port_env.h"

namespace {
class FileSystem : public ::testing::Test {
protected:
    Os& os = portUnderTest();
    std::string folder = freshScratchFolder();

    std::string at(const std::string& name) const { return folder + "\\" + name; }

    bool write(const std::string& path, const std::string& content, Dword disposition) {
        const Handle file =
            os.CreateFileA(path, win::kGenericWrite, 0, disposition, win::kAttributeNormal);
        if (file == win::kInvalidHandle) return false;
        Dword written = 0;
        const bool ok = content.empty() ||
                        os.WriteFile(file, content.data(), Dword(content.size()), written);
        os.CloseHandle(file);
        return ok;
    }

    // The whole content, or "<none>" when the file cannot be opened.
    std::string read(const std::string& path) {
        const Handle file = os.CreateFileA(path, win::kGenericRead, win::kFileShareRead,
                                           win::kOpenExisting, win::kAttributeNormal);
        if (file == win::kInvalidHandle) return "<none>";
        std::string content;
        char buffer[256];
        Dword count = 0;
        while (os.ReadFile(file, buffer, sizeof buffer, count) && count > 0) {
            content.append(buffer, count);
        }
        os.CloseHandle(file);
        return content;
    }

    // The names a directory search yields, or the error when it finds none.
    std::set<std::string> search(const std::string& pattern, Dword* error = nullptr) {
        std::set<std::string> names;
        FindData found;
        const Handle handle = os.FindFirstFileA(pattern, found);
        if (handle == win::kInvalidHandle) {
            if (error) *error = os.GetLastError();
            return names;
        }
        do names.insert(found.fileName);
        while (os.FindNextFileA(handle, found));
        EXPECT_TRUE(os.FindClose(handle));
        return names;
    }
};

TEST_F(FileSystem, DirectorySearchFindsFilesAndFoldersByTheirExactName) {
    ASSERT_TRUE(write(at("marker.txt"), "", win::kCreateAlways));
    ASSERT_TRUE(os.CreateDirectoryA(at("folder.txt")));

    EXPECT_EQ(search(at("marker.txt")), std::set<std::string>{"marker.txt"});
    EXPECT_EQ(search(at("folder.txt")), std::set<std::string>{"folder.txt"});

    FindData found;
    const Handle handle = os.FindFirstFileA(at("folder.txt"), found);
    ASSERT_NE(handle, win::kInvalidHandle);
    EXPECT_TRUE(found.attributes & win::kAttributeDirectory);
    os.FindClose(handle);

    Dword error = 0;
    EXPECT_TRUE(search(at("absent.txt"), &error).empty());
    EXPECT_EQ(error, win::kErrorFileNotFound);
    EXPECT_TRUE(search(at("no-such-folder\\marker.txt"), &error).empty());
    EXPECT_EQ(error, win::kErrorPathNotFound);
}

TEST_F(FileSystem, NamesIgnoreCaseAndRepeatedBackslashesCountAsOne) {
    ASSERT_TRUE(write(at("Marker.TXT"), "x", win::kCreateAlways));
    EXPECT_EQ(search(folder + "\\\\marker.txt"), std::set<std::string>{"Marker.TXT"});
    EXPECT_EQ(read(folder + "\\\\MARKER.txt"), "x");
    EXPECT_TRUE(os.DeleteFileA(folder + "\\\\mArKeR.tXt"));
    EXPECT_EQ(os.GetFileAttributesA(at("Marker.TXT")), win::kInvalidFileAttributes);
}

TEST_F(FileSystem, WildcardSearchListsEveryMatchingName) {
    for (const char* name : {"a1.txt", "a2.txt", "b.log"}) {
        ASSERT_TRUE(write(at(name), "", win::kCreateNew));
    }
    EXPECT_EQ(search(at("a*.txt")), (std::set<std::string>{"a1.txt", "a2.txt"}));
    EXPECT_EQ(search(at("?.log")), std::set<std::string>{"b.log"});
    EXPECT_EQ(search(at("*.exe")), std::set<std::string>{});
    EXPECT_EQ(search(at("*")), (std::set<std::string>{".", "..", "a1.txt", "a2.txt", "b.log"}));
}

TEST_F(FileSystem, CreateAlwaysLeavesAnEmptyFileWhateverWasThere) {
    ASSERT_TRUE(write(at("f.txt"), "old content", win::kCreateNew));
    EXPECT_FALSE(write(at("f.txt"), "", win::kCreateNew));
    EXPECT_EQ(os.GetLastError(), win::kErrorFileExists);

    const Handle file = os.CreateFileA(at("f.txt"), win::kGenericWrite, 0, win::kCreateAlways,
                                       win::kAttributeNormal);
    ASSERT_NE(file, win::kInvalidHandle);
    EXPECT_EQ(os.GetLastError(), win::kErrorAlreadyExists);  // said, but not refused
    os.CloseHandle(file);
    EXPECT_EQ(read(at("f.txt")), "");
}

TEST_F(FileSystem, CreatingInAMissingFolderFails) {
    EXPECT_FALSE(write(at("missing\\f.txt"), "", win::kCreateAlways));
    EXPECT_EQ(os.GetLastError(), win::kErrorPathNotFound);
    EXPECT_EQ(os.CreateFileA(at("missing.txt"), win::kGenericRead, 0, win::kOpenExisting, 0),
              win::kInvalidHandle);
    EXPECT_EQ(os.GetLastError(), win::kErrorFileNotFound);
}

TEST_F(FileSystem, DeleteRefusesReadOnlyFilesAndFolders) {
    ASSERT_TRUE(write(at("kept.txt"), "", win::kCreateAlways));
    ASSERT_TRUE(os.SetFileAttributesA(at("kept.txt"), win::kAttributeReadOnly));
    EXPECT_TRUE(os.GetFileAttributesA(at("kept.txt")) & win::kAttributeReadOnly);
    EXPECT_FALSE(os.DeleteFileA(at("kept.txt")));
    EXPECT_EQ(os.GetLastError(), win::kErrorAccessDenied);

    ASSERT_TRUE(os.CreateDirectoryA(at("folder.txt")));
    EXPECT_FALSE(os.DeleteFileA(at("folder.txt")));
    EXPECT_EQ(os.GetLastError(), win::kErrorAccessDenied);
    EXPECT_TRUE(os.GetFileAttributesA(at("folder.txt")) & win::kAttributeDirectory);
    EXPECT_FALSE(write(at("folder.txt"), "", win::kCreateAlways));
    EXPECT_EQ(os.GetLastError(), win::kErrorAccessDenied);

    EXPECT_FALSE(os.DeleteFileA(at("absent.txt")));
    EXPECT_EQ(os.GetLastError(), win::kErrorFileNotFound);

    ASSERT_TRUE(os.SetFileAttributesA(at("kept.txt"), win::kAttributeNormal));
    EXPECT_TRUE(os.DeleteFileA(at("kept.txt")));
    EXPECT_TRUE(search(at("kept.txt")).empty());
}

// Wine keeps read-only as the Unix write permission, which does not bind root; Windows refuses.
TEST_F(FileSystem, CreateAlwaysOverAReadOnlyFileIsRefusedButNotByWineAsRoot) {
    ASSERT_TRUE(write(at("r.txt"), "x", win::kCreateAlways));
    ASSERT_TRUE(os.SetFileAttributesA(at("r.txt"), win::kAttributeReadOnly));
    if (portIsWine()) GTEST_SKIP() << "Wine running as root opens read-only files for writing";
    EXPECT_FALSE(write(at("r.txt"), "", win::kCreateAlways));
    EXPECT_EQ(os.GetLastError(), win::kErrorAccessDenied);
    EXPECT_EQ(read(at("r.txt")), "x");
}

// Windows refuses to create anew over a hidden file unless asked to keep it hidden; Wine does not.
TEST_F(FileSystem, CreateAlwaysOverAHiddenFileMustKeepItHiddenExceptUnderWine) {
    if (portIsWine()) GTEST_SKIP() << "Wine replaces hidden files whatever attributes are asked for";
    ASSERT_TRUE(write(at("h.txt"), "x", win::kCreateAlways));
    ASSERT_TRUE(os.SetFileAttributesA(at("h.txt"), win::kAttributeHidden));
    EXPECT_EQ(os.CreateFileA(at("h.txt"), win::kGenericWrite, 0, win::kCreateAlways,
                             win::kAttributeNormal),
              win::kInvalidHandle);
    EXPECT_EQ(os.GetLastError(), win::kErrorAccessDenied);
    const Handle file = os.CreateFileA(at("h.txt"), win::kGenericWrite, 0, win::kCreateAlways,
                                       win::kAttributeHidden);
    ASSERT_NE(file, win::kInvalidHandle);
    os.CloseHandle(file);
    EXPECT_EQ(read(at("h.txt")), "");
    EXPECT_TRUE(os.GetFileAttributesA(at("h.txt")) & win::kAttributeHidden);
}

TEST_F(FileSystem, AFileOpenedWithoutSharingRefusesOtherOpens) {
    const Handle reader = os.CreateFileA(at("s.txt"), win::kGenericRead | win::kGenericWrite,
                                         win::kFileShareRead, win::kCreateAlways,
                                         win::kAttributeNormal);
    ASSERT_NE(reader, win::kInvalidHandle);
    EXPECT_EQ(os.CreateFileA(at("s.txt"), win::kGenericWrite, win::kFileShareRead |
                             win::kFileShareWrite, win::kOpenExisting, 0),
              win::kInvalidHandle);
    EXPECT_EQ(os.GetLastError(), win::kErrorSharingViolation);
    EXPECT_FALSE(os.DeleteFileA(at("s.txt")));
    EXPECT_EQ(os.GetLastError(), win::kErrorSharingViolation);
    os.CloseHandle(reader);
    EXPECT_TRUE(os.DeleteFileA(at("s.txt")));
}

TEST_F(FileSystem, ALeadingBackslashNamesTheCurrentDrivesRoot) {
    ASSERT_TRUE(os.SetCurrentDirectoryA(folder));
    std::string current;
    ASSERT_GT(os.GetCurrentDirectoryA(current), 0u);
    EXPECT_EQ(current, folder);

    const std::string name = "vantrel-root-test.txt";
    ASSERT_TRUE(write("\\" + name, "r", win::kCreateAlways));
    const std::string inRoot = folder.substr(0, 3) + name;  // "C:\" + name
    EXPECT_EQ(read(inRoot), "r");
    EXPECT_EQ(read(name), "<none>");  // relative names are looked up in the current folder
    EXPECT_TRUE(os.DeleteFileA(inRoot));
}

TEST_F(FileSystem, TheAnsiCodePageIsChinese) {
    const std::string gbk = "\xD6\xD0\xCE\xC4";  // 中文
    std::u16string wide;
    ASSERT_EQ(os.MultiByteToWideChar(win::kCodePageAnsi, gbk, wide), 2);
    EXPECT_EQ(wide, u"\u4E2D\u6587");
    std::string back;
    ASSERT_EQ(os.WideCharToMultiByte(win::kCodePageAnsi, wide, back), 4);
    EXPECT_EQ(back, gbk);
    std::string utf8;
    ASSERT_EQ(os.WideCharToMultiByte(win::kCodePageUtf8, wide, utf8), 6);
    EXPECT_EQ(utf8, "中文");
}

TEST_F(FileSystem, ChineseNamesRoundTrip) {
    const std::string name = "\xD3\xC3\xBB\xA7";  // 用户
    ASSERT_TRUE(os.CreateDirectoryA(at(name)));
    ASSERT_TRUE(write(at(name) + "\\\\ae_force_english.txt", "", win::kCreateAlways));
    EXPECT_EQ(search(at(name)), std::set<std::string>{name});
    EXPECT_EQ(read(at(name + "\\ae_force_english.txt")), "");
}
}  // namespace
