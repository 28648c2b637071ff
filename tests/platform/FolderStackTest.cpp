#include "TreeFixture.h"

#include "platform/FolderStack.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

int OpenDescriptors()
{
    int count = 0;
    if (DIR *d = opendir("/proc/self/fd")) {
        while (readdir(d))
            ++count;
        closedir(d);
    }
    return count;
}

// True when the deepest folder of the stack is the folder at Path.
bool DeepestIs(TFolderStack &stack, const std::string &path)
{
    const int fd = stack.OpenListing();
    struct stat held {}, named {};
    const bool same = fd >= 0 && fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0
                      && held.st_ino == named.st_ino && held.st_dev == named.st_dev;
    if (fd >= 0)
        close(fd);
    return same;
}

class FolderStackTest : public testing_support::TreeFixture {
protected:
    // r/a/b/c/d/e, and in each of a..e an empty folder "x".
    void SetUp() override
    {
        TreeFixture::SetUp();
        std::string path = "r";
        MakeFolder(path);
        for (const char *name : {"a", "b", "c", "d", "e"}) {
            path += std::string("/") + name;
            MakeFolder(path);
            MakeFolder(path + "/x");
        }
    }
    void PushDown(TFolderStack &stack, const std::vector<const char *> &names)
    {
        ASSERT_EQ(stack.PushTarget(QString::fromStdString(Abs("r"))), 0);
        for (const char *name : names)
            ASSERT_EQ(stack.PushChild(name), 0) << name;
    }
};

TEST_F(FolderStackTest, HoldsOnlyTheTargetAndTheDeepestFoldersAndFindsTheOthersAgain)
{
    const int before = OpenDescriptors();
    TFolderStack stack(2);
    PushDown(stack, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(OpenDescriptors() - before, 3) << "the target and two more";
    stack.Pop();
    stack.Pop();
    stack.Pop();  // back in r/a/b, let go of on the way down
    ASSERT_EQ(stack.PushChild("x"), 0);
    EXPECT_TRUE(DeepestIs(stack, Abs("r/a/b/x")));
    EXPECT_LE(OpenDescriptors() - before, 3);
    stack.Clear();
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(FolderStackTest, AParentMovedAwayIsFollowedThroughItsChild)
{
    TFolderStack stack(1);
    PushDown(stack, {"a", "b", "c"});
    ASSERT_EQ(rename(Abs("r/a/b").c_str(), Abs("r/a/moved").c_str()), 0);
    MakeFolder("r/a/b");
    MakeFolder("r/a/b/x");
    stack.Pop();
    ASSERT_EQ(stack.PushChild("x"), 0);
    EXPECT_TRUE(DeepestIs(stack, Abs("r/a/moved/x"))) << "the folder the walk was in, not its stand-in";
}

TEST_F(FolderStackTest, AParentReplacedByAnotherFolderIsNeverTakenForIt)
{
    chmod(Abs("r/a").c_str(), 0777);
    chmod(Abs("r/a/b").c_str(), 0777);
    const std::string a = Abs("r/a");
    const QString r = QString::fromStdString(Abs("r"));
    EXPECT_TRUE(RunUnprivileged([&] {
        TFolderStack stack(1);
        if (mkdir((a + "/b/y").c_str(), 0755) != 0 || stack.PushTarget(r) != 0
            || stack.PushChild("a") != 0 || stack.PushChild("b") != 0 || stack.PushChild("y") != 0)
            return false;
        // Without search permission in y there is no ".." to go back by:
        // b must be looked up by its name, which now leads elsewhere.
        chmod((a + "/b/y").c_str(), 0);
        if (rename((a + "/b").c_str(), (a + "/moved").c_str()) != 0 || mkdir((a + "/b").c_str(), 0755) != 0
            || mkdir((a + "/b/c").c_str(), 0755) != 0)
            return false;
        stack.Pop();
        return stack.PushChild("c") == ENOENT;
    }));
}

TEST_F(FolderStackTest, ALinkOrAFileIsNotEnteredAndAMissingTargetSaysSo)
{
    MakeLink("r/link", "a");
    MakeFile("r/file");
    TFolderStack stack;
    EXPECT_EQ(stack.PushTarget(QString::fromStdString(Abs("missing"))), ENOENT);
    PushDown(stack, {});
    EXPECT_EQ(stack.PushChild("link"), ENOTDIR);
    EXPECT_EQ(stack.PushChild("file"), ENOTDIR);
    EXPECT_EQ(stack.Depth(), 1u);
}

} // namespace
