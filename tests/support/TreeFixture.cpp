#include "TreeFixture.h"

#include "platform/NameCodec.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ftw.h>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    chmod(path, 0700);
    return remove(path);
}

void Check(bool ok, const std::string &what)
{
    if (!ok)
        FAIL() << what << ": " << std::strerror(errno);
}

} // namespace

void TreeFixture::SetUp()
{
    char pattern[] = "/tmp/tamarel-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fRoot = pattern;
    chmod(fRoot.c_str(), 0755);
}

void TreeFixture::TearDown()
{
    // Unreadable folders must be opened up before they can be removed.
    nftw(fRoot.c_str(), [](const char *path, const struct stat *sb, int type, struct FTW *) {
        if (type == FTW_D || type == FTW_DNR)
            chmod(path, 0755);
        (void)sb;
        return 0;
    }, 64, FTW_PHYS);
    nftw(fRoot.c_str(), RemoveEntry, 64, FTW_DEPTH | FTW_PHYS);
}

QString TreeFixture::Root() const
{
    return platform::DecodeFileName(fRoot) + QLatin1Char('/');
}

void TreeFixture::MakeFolder(const std::string &relative, unsigned mode)
{
    Check(mkdir(Abs(relative).c_str(), mode) == 0 || errno == EEXIST, "mkdir " + relative);
    chmod(Abs(relative).c_str(), mode);
}

void TreeFixture::MakeFile(const std::string &relative, const std::string &content, unsigned mode)
{
    const int fd = open(Abs(relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0, "create " + relative);
    if (fd < 0)
        return;
    Check(write(fd, content.data(), content.size()) == ssize_t(content.size()), "write " + relative);
    close(fd);
    chmod(Abs(relative).c_str(), mode);
}

void TreeFixture::SetTimes(const std::string &relative, long long modified, long long accessed)
{
    struct timeval tv[2] = {{time_t(accessed), 0}, {time_t(modified), 0}};
    Check(lutimes(Abs(relative).c_str(), tv) == 0, "utimes " + relative);
}

void TreeFixture::MakeLink(const std::string &relative, const std::string &target)
{
    Check(symlink(target.c_str(), Abs(relative).c_str()) == 0, "symlink " + relative);
}

void TreeFixture::MakeFifo(const std::string &relative)
{
    Check(mkfifo(Abs(relative).c_str(), 0644) == 0, "mkfifo " + relative);
}

void TreeFixture::MakeSparse(const std::string &relative, long long size)
{
    const int fd = open(Abs(relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    Check(fd >= 0 && ftruncate(fd, off_t(size)) == 0, "sparse " + relative);
    if (fd >= 0)
        close(fd);
}

bool TreeFixture::RunInChild(const std::function<bool()> &body)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0)
        _exit(body() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool TreeFixture::RunUnprivileged(const std::function<bool()> &body)
{
    return RunInChild([&body] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return false;
        return body();
    });
}

bool TreeFixture::RunWithFileSizeLimit(long long bytes, const std::function<bool()> &body)
{
    return RunInChild([&] {
        // Ignored, the signal becomes EFBIG from write, which is what a
        // program must cope with; otherwise the child would just die.
        signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit {rlim_t(bytes), rlim_t(bytes)};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0 && body();
    });
}

std::string EventLog::Relative(const QString &path) const
{
    const std::string bytes = platform::EncodeFileName(path);
    return bytes.compare(0, root.size(), root) == 0 ? bytes.substr(root.size()) : bytes;
}

void TreeFixture::MakeExplorerSample()
{
    MakeFolder("data");
    MakeFolder("data/Photos");
    MakeFolder("data/music");
    MakeFile("data/zz.txt", std::string(300, 'z'));
    MakeFile("data/aa.doc", std::string(10, 'a'));
    MakeFile("data/Documents.txt", std::string(300, 'd'));
    MakeFile("data/Photos/p.jpg", "jpg");
}

platform::TMountInfo TreeFixture::Mount(const QString &mountPoint, int minor)
{
    platform::TMountInfo m;
    m.mountPoint = mountPoint;
    m.fsType = QStringLiteral("ext4");
    m.source = QStringLiteral("/dev/vd%1").arg(minor);
    m.root = QStringLiteral("/");
    m.minor = minor;
    return m;
}

} // namespace testing_support
