// Saving never harms the keysym file: every file operation of a save is made
// to fail in turn, and the real failures the platform produces are provoked.
#include "store/KeySymStore.h"

#include "StoreTestFiles.h"

#include <gtest/gtest.h>

namespace {

// Fails the Nth operation of a save as the file system would, and can hand
// out a temporary name the way the platform sometimes does: without a file.
class FaultyFileOps : public KeySymFileOps {
public:
    int failAt = 0;           // 1-based; 0 = none
    int count = 0;
    bool tempNotMade = false;
    std::string foreignTemp;  // hand out this existing file as the temporary one
    std::vector<std::string> log;

    UINT TempFileName(const char* dir, const char* prefix, char* path) override
    {
        if (Fails("temp")) return 0;
        if (!foreignTemp.empty()) {
            lstrcpynA(path, foreignTemp.c_str(), MAX_PATH);
            return 1;
        }
        if (tempNotMade) {
            wsprintfA(path, "%s\\%sFFFF.tmp", dir, prefix);
            return 0xFFFF;
        }
        return KeySymFileOps::TempFileName(dir, prefix, path);
    }
    HANDLE Open(const char* path, DWORD access, DWORD share, DWORD disposition) override
    {
        if (Fails("open")) {
            SetLastError(ERROR_SHARING_VIOLATION);   // another program got there first
            return INVALID_HANDLE_VALUE;
        }
        return KeySymFileOps::Open(path, access, share, disposition);
    }
    BOOL Size(HANDLE file, LARGE_INTEGER* size) override
    {
        return Fails("size") ? FALSE : KeySymFileOps::Size(file, size);
    }
    BOOL Write(HANDLE file, const void* data, DWORD size, DWORD* written) override
    {
        if (Fails("write")) {
            // The disk fills up half-way.
            KeySymFileOps::Write(file, data, size / 2, written);
            return FALSE;
        }
        return KeySymFileOps::Write(file, data, size, written);
    }
    BOOL Flush(HANDLE file) override
    {
        return Fails("flush") ? FALSE : KeySymFileOps::Flush(file);
    }
    BOOL Close(HANDLE file) override
    {
        const BOOL closed = KeySymFileOps::Close(file);
        return Fails("close") ? FALSE : closed;
    }
    BOOL Replace(const char* from, const char* to) override
    {
        return Fails("replace") ? FALSE : KeySymFileOps::Replace(from, to);
    }
    BOOL Remove(const char* path) override
    {
        log.push_back("remove");
        return KeySymFileOps::Remove(path);
    }

private:
    bool Fails(const char* op)
    {
        log.push_back(op);
        return ++count == failAt;
    }
};

class SaveKeySymFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_store.m_strUserDir = m_folder.Path();
        m_store.m_strKeySymFile = m_folder.File("keysyms.kbs");
        // Big enough to take more than one write.
        m_store.m_setNames = {"Greek", "math"};
        for (int k = 0; k < 6000; ++k)
            m_store.m_keySyms["keysym" + std::to_string(k)] = std::make_unique<CKeySymEntry>("7e" + std::to_string(k), k % 2);
        m_old = "[main]\r\nold=1\r\n[old]\r\nkept=1\r\n";
        WriteBytes(m_store.m_strKeySymFile, m_old);
    }

    void ExpectOldFileAndNoTemporary(const std::string& what)
    {
        EXPECT_EQ(m_old, ReadBytes(m_store.m_strKeySymFile)) << what;
        EXPECT_TRUE(m_folder.Files("Kbs*.tmp").empty()) << what;
    }

    TempFolder m_folder;
    CKeySymStore m_store;
    std::string m_old;
};

TEST_F(SaveKeySymFileTest, EveryFailingOperationLeavesTheOldFile)
{
    FaultyFileOps ops;
    m_store.m_pFileOps = &ops;
    int n = 1;
    for (;; ++n) {
        ops = FaultyFileOps();
        ops.failAt = n;
        if (m_store.SaveKeySymFile()) break;
        std::string trace;
        for (const std::string& op : ops.log) trace += op + " ";
        ExpectOldFileAndNoTemporary("operation " + std::to_string(n) + " failed: " + trace);
        ASSERT_LT(n, 100);
    }
    // The last run failed nothing, so n - 1 operations were each made to fail.
    EXPECT_GE(n - 1, 8) << "temp, open, size, two writes, flush, close, replace";
    EXPECT_EQ(m_store.FormatKeySymFile(), ReadBytes(m_store.m_strKeySymFile));
    EXPECT_TRUE(m_folder.Files("Kbs*.tmp").empty());
}

TEST_F(SaveKeySymFileTest, TemporaryNameWithoutAFileIsNotUsed)
{
    FaultyFileOps ops;
    ops.tempNotMade = true;
    m_store.m_pFileOps = &ops;
    EXPECT_FALSE(m_store.SaveKeySymFile());
    ExpectOldFileAndNoTemporary("no temporary file made");

    // Someone else's file under the name handed out is neither used nor removed.
    const std::string foreign = m_folder.File("Kbs1.tmp");
    WriteBytes(foreign, "not ours");
    ops = FaultyFileOps();
    ops.foreignTemp = foreign;
    EXPECT_FALSE(m_store.SaveKeySymFile());
    EXPECT_EQ("not ours", ReadBytes(foreign));
    EXPECT_EQ(m_old, ReadBytes(m_store.m_strKeySymFile));
}

TEST_F(SaveKeySymFileTest, KeysymFileHeldOpenByAnotherProgram)
{
    HANDLE held = CreateFileA(m_store.m_strKeySymFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const BOOL saved = m_store.SaveKeySymFile();
    CloseHandle(held);
    EXPECT_FALSE(saved);
    ExpectOldFileAndNoTemporary("held open");

    EXPECT_TRUE(m_store.SaveKeySymFile());   // and once it is let go
    EXPECT_EQ(m_store.FormatKeySymFile(), ReadBytes(m_store.m_strKeySymFile));
}

// The store knows the keysym file as it last read or wrote it, so that a save never replaces
// another program's work unasked. A file held by another program while it was being loaded was
// never read: the store does not know what it holds, so it counts as changed until a save.
TEST_F(SaveKeySymFileTest, KnowsWhenAnotherProgramChangedTheFile)
{
    CKeySymStore loaded;
    loaded.m_strUserDir = m_store.m_strUserDir;
    loaded.m_strKeySymFile = m_store.m_strKeySymFile;
    loaded.LoadKeySymFile(loaded.m_strKeySymFile);
    EXPECT_FALSE(loaded.KeySymFileChangedOnDisk());

    const std::string before = ReadBytes(m_store.m_strKeySymFile);
    WriteBytes(m_store.m_strKeySymFile, before + "x=1\r\n");   // another program adds a line
    EXPECT_TRUE(loaded.KeySymFileChangedOnDisk());
    ASSERT_TRUE(loaded.SaveKeySymFile());          // the user chose to replace it
    EXPECT_FALSE(loaded.KeySymFileChangedOnDisk());
    DeleteFileA(m_store.m_strKeySymFile.c_str());
    EXPECT_TRUE(loaded.KeySymFileChangedOnDisk());

    CKeySymStore unread;
    unread.m_strUserDir = m_store.m_strUserDir;
    unread.m_strKeySymFile = m_store.m_strKeySymFile;
    WriteBytes(m_store.m_strKeySymFile, before);
    HANDLE held = CreateFileA(m_store.m_strKeySymFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    unread.LoadKeySymFile(unread.m_strKeySymFile);
    CloseHandle(held);
    EXPECT_TRUE(unread.m_setNames.empty());
    EXPECT_TRUE(unread.KeySymFileChangedOnDisk());
    EXPECT_EQ(before, ReadBytes(m_store.m_strKeySymFile));

    CKeySymStore missing;   // no file at all is no change: the first save makes it
    missing.m_strUserDir = m_store.m_strUserDir;
    missing.m_strKeySymFile = m_folder.File("other.kbs");
    missing.LoadKeySymFile(missing.m_strKeySymFile);
    EXPECT_FALSE(missing.KeySymFileChangedOnDisk());
    EXPECT_TRUE(missing.SaveKeySymFile());
    EXPECT_FALSE(missing.KeySymFileChangedOnDisk());
}

TEST_F(SaveKeySymFileTest, MissingFolders)
{
    CKeySymStore gone;
    gone.m_strUserDir = m_folder.File("gone");
    gone.m_strKeySymFile = m_folder.File("gone\\keysyms.kbs");
    gone.m_setNames = {"s"};
    EXPECT_FALSE(gone.SaveKeySymFile());
    EXPECT_FALSE(FileExists(gone.m_strKeySymFile));

    // The temporary file can be made, but the keysym file's folder is gone.
    m_store.m_strKeySymFile = m_folder.File("gone\\keysyms.kbs");
    EXPECT_FALSE(m_store.SaveKeySymFile());
    EXPECT_TRUE(m_folder.Files("Kbs*.tmp").empty());
}

TEST_F(SaveKeySymFileTest, FirstSaveMakesTheFileAndLaterSavesReplaceIt)
{
    DeleteFileA(m_store.m_strKeySymFile.c_str());
    m_store.m_bModified = TRUE;
    for (int i = 0; i < 3; ++i) {
        m_store.m_keySyms["added" + std::to_string(i)] = std::make_unique<CKeySymEntry>("1", 0);
        ASSERT_TRUE(m_store.SaveKeySymFile());
        EXPECT_EQ(m_store.FormatKeySymFile(), ReadBytes(m_store.m_strKeySymFile));
    }
    EXPECT_TRUE(m_store.m_bModified);   // the pages clear it, not the save
    EXPECT_TRUE(m_folder.Files("Kbs*.tmp").empty());
    EXPECT_EQ(1u, m_folder.Files("*").size());
}

}  // namespace
