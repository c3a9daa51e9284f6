#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/FileStreams.h"
#include "tests/support/TestStreams.h"

namespace tavik {
namespace {

using test::TempDir;

TEST(AtomicFileOutput, CommitReplacesTheTargetAndLeavesNoTemporary) {
    TempDir dir;
    const std::string target = dir.file("dane.rpa");
    test::writeFile(target, "OLD");
    AtomicFileOutput out(target);
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(out.write("NEW CONTENT", 11));
    EXPECT_EQ(test::readFile(target), "OLD");  // untouched until the commit
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(test::readFile(target), "NEW CONTENT");
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane.rpa"});
}

TEST(AtomicFileOutput, UncommittedWriteLeavesTheTargetAsItWas) {
    TempDir dir;
    const std::string target = dir.file("dane.rpa");
    test::writeFile(target, "OLD");
    {
        AtomicFileOutput out(target);
        ASSERT_TRUE(out.open());
        ASSERT_TRUE(out.write("HALF", 4));
    }
    EXPECT_EQ(test::readFile(target), "OLD");
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane.rpa"});
}

TEST(AtomicFileOutput, KeepsTheModeOfTheFileItReplaces) {
    TempDir dir;
    const std::string target = dir.file("dane.rpa");
    test::writeFile(target, "OLD");
    ::chmod(target.c_str(), 0640);
    AtomicFileOutput out(target);
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(out.commit());
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicFileOutput, SavingThroughALinkReplacesTheFileItPointsTo) {
    TempDir dir;
    const std::string real = dir.file("dane.rpa"), link = dir.file("skrot.rpa");
    test::writeFile(real, "OLD");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    AtomicFileOutput out(link);
    ASSERT_TRUE(out.open());
    ASSERT_TRUE(out.write("NEW", 3));
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(test::readFile(real), "NEW");
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST(AtomicFileOutput, FolderThatDoesNotExistCannotBeWritten) {
    TempDir dir;
    AtomicFileOutput out(dir.file("brak/dane.rpa"));
    EXPECT_FALSE(out.open());
    EXPECT_EQ(out.errorText(), "plik nie istnieje");
    EXPECT_FALSE(out.write("X", 1));
    EXPECT_FALSE(out.commit());
}

TEST(FileInput, ReasonsInPolish) {
    TempDir dir;
    std::string reason;
    EXPECT_EQ(FileInput::open(dir.file("brak.rpa"), &reason), nullptr);
    EXPECT_EQ(reason, "plik nie istnieje");
    EXPECT_EQ(FileInput::open(dir.path(), &reason), nullptr);
    EXPECT_EQ(reason, "to jest katalog");
}

TEST(FileInput, ReadsTheWholeFile) {
    TempDir dir;
    const std::string content(100000, 'k');
    test::writeFile(dir.file("a"), content);
    std::string bytes;
    ASSERT_TRUE(readWholeFile(dir.file("a"), bytes));
    EXPECT_EQ(bytes, content);
}

}  // namespace
}  // namespace tavik
