#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/FileStreams.h"
#include "tests/support/TestStreams.h"

namespace tavik {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

// Opens, writes and commits; false at the first step that fails.
bool save(AtomicFileOutput& out, const std::string& bytes) {
    return out.open() && out.write(bytes.data(), bytes.size()) && out.commit();
}

// A folder holding "dane.rpa" with "OLD" in it.
class OldTarget : public testing::Test {
protected:
    OldTarget() { test::writeFile(target, "OLD"); }
    // The target holds the text, and nothing else is beside it.
    void expectAlone(const std::string& text) const {
        EXPECT_EQ(test::readFile(target), text);
        EXPECT_EQ(test::listFolder(dir.path()), Names{"dane.rpa"});
    }
    TempDir dir;
    const std::string target = dir.file("dane.rpa");
};

// Untouched by a write that is not committed or that fails; replaced, keeping its mode, by a
// commit.
TEST_F(OldTarget, OnlyACommitReplacesTheTargetAndLeavesNoTemporary) {
    {
        AtomicFileOutput out(target);
        ASSERT_TRUE(out.open());
        ASSERT_TRUE(out.write("HALF", 4));
    }
    expectAlone("OLD");
    {
        test::FaultyFileSystem system;
        system.failWritesToFile = 1;
        AtomicFileOutput out(target);
        ASSERT_TRUE(out.open());
        EXPECT_FALSE(out.write("NEW", 3));
        EXPECT_EQ(out.errorText(), "brak miejsca na dysku");
        EXPECT_FALSE(out.commit());
    }
    expectAlone("OLD");
    ::chmod(target.c_str(), 0640);
    AtomicFileOutput out(target);
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(out.write("NEW CONTENT", 11));
    EXPECT_EQ(test::readFile(target), "OLD");
    ASSERT_TRUE(out.commit());
    expectAlone("NEW CONTENT");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A rename reaches the disk only with its folder: the folder is synced after the rename, and
// a folder that cannot be synced fails the save.
TEST_F(OldTarget, FolderIsSyncedAfterTheRenameAndItsFailureIsReported) {
    {
        test::FaultyFileSystem system;
        AtomicFileOutput out(target);
        ASSERT_TRUE(save(out, "NEW"));
        EXPECT_EQ(system.log, (Names{"rename", "syncFolder"}));
    }
    test::FaultyFileSystem system;
    system.failFolderSync = true;
    system.error = EIO;
    AtomicFileOutput out(target);
    EXPECT_FALSE(save(out, "NEWER"));
    EXPECT_EQ(out.errorText(), "nie udało się utrwalić na dysku zmian w katalogu " + dir.path() +
                                   ": błąd wejścia/wyjścia");
    EXPECT_EQ(test::listFolder(dir.path()), Names{"dane.rpa"});
}

// A folder that does not exist, or a target that is a folder, is refused before anything is
// written.
TEST(AtomicFileOutput, TargetThatCannotBeWrittenIsRefusedAtOpening) {
    TempDir dir;
    ::mkdir(dir.file("dane.rpa").c_str(), 0755);
    for (const auto& [name, reason] : {std::pair{"brak/dane.rpa", "katalog nie istnieje"},
                                       std::pair{"dane.rpa", "to jest katalog"}}) {
        AtomicFileOutput out(dir.file(name));
        EXPECT_FALSE(out.open());
        EXPECT_EQ(out.errorText(), reason);
        EXPECT_FALSE(out.write("X", 1));
        EXPECT_FALSE(out.commit());
        EXPECT_EQ(test::listFolder(dir.path()), Names{"dane.rpa"});
    }
}

// A save that was killed leaves its temporary file; the next successful save of the same file
// removes it, and nothing else. A failed save removes nothing.
TEST_F(OldTarget, SuccessfulSaveRemovesTheTemporaryFilesOfKilledSavesOfItsTarget) {
    const Names others = {"dane.rpa.TMP-Ab3xY9",  "dane.rpa.tmp-Ab-xY9", "dane.rpa.tmp-Ab3xY9.rpa",
                          "dane.rpa.tmp-Ab3xY9x", "dane.rpa.tmp-abc",    "inny.rpa.tmp-Ab3xY9",
                          "xdane.rpa.tmp-Ab3xY9"};
    for (const std::string& name : others)
        test::writeFile(dir.file(name), "X");
    test::writeFile(dir.file("dane.rpa.tmp-Ab3xY9"), "X");
    test::writeFile(dir.file("dane.rpa.tmp-000000"), "X");
    ::mkdir(dir.file("dane.rpa.tmp-Folder").c_str(), 0755);
    ::symlink(dir.file("inny.rpa.tmp-Ab3xY9").c_str(), dir.file("dane.rpa.tmp-Link01").c_str());
    {
        test::FaultyFileSystem system;
        system.failWritesToFile = 1;
        AtomicFileOutput out(target);
        EXPECT_FALSE(save(out, "NEW"));
    }
    EXPECT_EQ(test::listFolder(dir.path()).size(), others.size() + 5);

    AtomicFileOutput out(target);
    ASSERT_TRUE(save(out, "NEW"));
    EXPECT_EQ(
        test::listFolder(dir.path()),
        (Names{"dane.rpa", "dane.rpa.TMP-Ab3xY9", "dane.rpa.tmp-Ab-xY9", "dane.rpa.tmp-Ab3xY9.rpa",
               "dane.rpa.tmp-Ab3xY9x", "dane.rpa.tmp-Folder", "dane.rpa.tmp-Link01",
               "dane.rpa.tmp-abc", "inny.rpa.tmp-Ab3xY9", "xdane.rpa.tmp-Ab3xY9"}));
    EXPECT_EQ(test::readFile(target), "NEW");
    EXPECT_EQ(test::readFile(dir.file("inny.rpa.tmp-Ab3xY9")), "X");
}

// Through a link the file it points to is replaced, with the stale temporaries beside it, not
// those beside the link.
TEST(AtomicFileOutput, SavingThroughALinkReplacesTheFileItPointsTo) {
    TempDir dir;
    ::mkdir(dir.file("prawdziwe").c_str(), 0755);
    const std::string real = dir.file("prawdziwe/dane.rpa"), link = dir.file("dane.rpa");
    test::writeFile(real, "OLD");
    test::writeFile(dir.file("prawdziwe/dane.rpa.tmp-Ab3xY9"), "X");
    test::writeFile(dir.file("dane.rpa.tmp-Ab3xY9"), "X");  // not this file's: the link's name
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    AtomicFileOutput out(link);
    ASSERT_TRUE(save(out, "NEW"));
    EXPECT_EQ(test::readFile(real), "NEW");
    EXPECT_EQ(test::listFolder(dir.file("prawdziwe")), Names{"dane.rpa"});
    EXPECT_EQ(test::listFolder(dir.path()),
              (Names{"dane.rpa", "dane.rpa.tmp-Ab3xY9", "prawdziwe"}));
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

// Only existing regular files are read, whole: a pipe would make the reader wait for ever, a
// device such as /dev/zero would fill the memory.
TEST(FileInput, OnlyExistingRegularFilesAreOpened) {
    TempDir dir;
    ASSERT_EQ(::symlink("/dev/zero", dir.file("x.coa").c_str()), 0);
    ASSERT_EQ(::mkfifo(dir.file("x.cia").c_str(), 0644), 0);
    ::mkdir(dir.file("x.rpa").c_str(), 0755);
    const std::pair<std::string, std::string> cases[] = {
        {"brak.rpa", "plik nie istnieje"},    {"", "to jest katalog"},  // the folder itself
        {"x.rpa", "to jest katalog"},         {"x.coa", "to nie jest zwykły plik"},
        {"x.cia", "to nie jest zwykły plik"},
    };
    for (const auto& [name, expected] : cases) {
        std::string reason, again, bytes;
        EXPECT_EQ(FileInput::open(name.empty() ? dir.path() : dir.file(name), &reason), nullptr);
        EXPECT_EQ(reason, expected) << name;
        EXPECT_FALSE(readWholeFile(name.empty() ? dir.path() : dir.file(name), bytes, &again));
        EXPECT_EQ(again, expected) << name;
    }
    const std::string content(100000, 'k');
    std::string bytes;
    test::writeFile(dir.file("a"), content);
    ASSERT_TRUE(readWholeFile(dir.file("a"), bytes));
    EXPECT_EQ(bytes, content);
}

TEST(FileInput, FileLargerThanTheLimitIsRefusedBeforeItIsRead) {
    TempDir dir;
    const std::string path = dir.file("duzy.rpa");
    test::writeFile(path, "");
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxInputFileSize + 1)), 0);  // sparse
    std::string reason, bytes;
    EXPECT_EQ(FileInput::open(path, &reason), nullptr);
    EXPECT_EQ(reason,
              "plik jest zbyt duży (268435457 bajtów, a dopuszczalne jest najwyżej 268435456 "
              "bajtów)");
    EXPECT_FALSE(readWholeFile(path, bytes, &reason));
    // At the limit it is a file like any other.
    ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(kMaxInputFileSize)), 0);
    auto file = FileInput::open(path, &reason);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), kMaxInputFileSize);
}

}  // namespace
}  // namespace tavik
