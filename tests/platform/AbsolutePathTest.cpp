#include "TreeFixture.h"

#include "platform/AbsolutePath.h"

#include <cerrno>
#include <unistd.h>

using namespace platform;

namespace {

class ResolveFolderPathTest : public testing_support::TreeFixture {
protected:
    int Resolve(const QString &path) { return ResolveFolderPath(path, resolved); }
    QString At(const char *relative) const { return Root() + QLatin1String(relative); }
    QString resolved;
};

TEST_F(ResolveFolderPathTest, DotDotIsTheParentOfWhereTheKernelGotNotOfTheText)
{
    MakeFolder("real");
    MakeFolder("real/inner");
    MakeFolder("top");
    MakeLink("top/link", Abs("real/inner"));
    MakeLink("top/rel", "../real");

    ASSERT_EQ(Resolve(At("top/link/..")), 0);
    EXPECT_EQ(resolved, At("real")) << "not top, as folding the text would give";
    ASSERT_EQ(Resolve(At("top/rel/inner/../..")), 0);
    EXPECT_EQ(resolved, Root().chopped(1));
    ASSERT_EQ(Resolve(At("top/link/../inner/")), 0);
    EXPECT_EQ(resolved, At("real/inner"));
    ASSERT_EQ(Resolve(At("top/./link//")), 0);
    EXPECT_EQ(resolved, At("top/link")) << "links without a \"..\" after them stay as written";
    ASSERT_EQ(Resolve(QStringLiteral("/")), 0);
    EXPECT_EQ(resolved, QStringLiteral("/"));
}

TEST_F(ResolveFolderPathTest, RelativePathsStartAtTheCurrentFolderAndFailuresSayWhy)
{
    MakeFolder("here");
    MakeFolder("here/sub");
    MakeFile("here/file");
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(Abs("here").c_str()), 0);
    EXPECT_EQ(Resolve(QStringLiteral("sub/..")), 0);
    EXPECT_EQ(resolved, At("here"));
    EXPECT_EQ(Resolve(QStringLiteral("file")), ENOTDIR);
    EXPECT_EQ(Resolve(QStringLiteral("file/..")), ENOTDIR);
    EXPECT_EQ(Resolve(QStringLiteral("missing")), ENOENT);
    EXPECT_EQ(Resolve(QStringLiteral("missing/..")), ENOENT) << "the kernel does not skip what is not there";
    ASSERT_EQ(chdir(previous), 0);
}

} // namespace
