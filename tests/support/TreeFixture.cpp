#include "TreeFixture.h"

#include "platform/NameCodec.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <csignal>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace {

// Removes a tree of any depth with one descriptor at a time: down into each
// folder by name, back up through "..". Folders are opened up first, so that
// ones a test made unreadable go too. (nftw stops at PATH_MAX, and rm takes
// seconds on a chain of 20,000 folders.)
bool RemoveTree(const std::string &root)
{
    chmod(root.c_str(), 0700);
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    std::vector<std::string> names;
    while (fd >= 0) {
        DIR *dir = fdopendir(dup(fd));
        std::string child;
        while (const struct dirent *e = dir ? readdir(dir) : nullptr) {
            const std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat st {};
            if (fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
                child = name;
                break;
            }
            unlinkat(fd, name.c_str(), 0);
        }
        if (dir)
            closedir(dir);
        if (!child.empty()) {
            fchmodat(fd, child.c_str(), 0700, 0);
            const int next = openat(fd, child.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            close(fd);
            fd = next;
            names.push_back(child);
            continue;
        }
        if (names.empty()) {
            close(fd);
            break;
        }
        const int parent = openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        close(fd);
        fd = parent;
        if (fd >= 0)
            unlinkat(fd, names.back().c_str(), AT_REMOVEDIR);
        names.pop_back();
    }
    return rmdir(root.c_str()) == 0;
}

void Check(bool ok, const std::string &what)
{
    if (!ok)
        FAIL() << what << ": " << std::strerror(errno);
}

} // namespace

void TreeFixture::SetUp()
{
    std::string pattern = TreeBase() + "/tamarel-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    fRoot = pattern;
    chmod(fRoot.c_str(), 0755);
}

void TreeFixture::TearDown()
{
    EXPECT_TRUE(RemoveTree(fRoot)) << fRoot << ": " << std::strerror(errno);
}

std::string TreeFixture::TreeBase() const
{
    return "/tmp";
}

std::string TreeFixture::MemoryTreeBase()
{
    struct stat st {};
    return stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) && access("/dev/shm", W_OK) == 0
               ? "/dev/shm"
               : "/tmp";
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

void TreeFixture::MakeChain(const std::string &relative, int depth, const std::string &name,
                            const std::string &file)
{
    int fd = open(relative.empty() ? fRoot.c_str() : Abs(relative).c_str(), O_RDONLY | O_DIRECTORY);
    Check(fd >= 0, "open " + relative);
    for (int level = 0; level < depth && fd >= 0; ++level) {
        Check(mkdirat(fd, name.c_str(), 0755) == 0, "mkdirat " + name);
        const int next = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    Check(fd >= 0, "chain below " + relative);
    if (fd >= 0 && !file.empty()) {
        const int f = openat(fd, file.c_str(), O_WRONLY | O_CREAT, 0644);
        Check(f >= 0, "create " + file);
        if (f >= 0)
            close(f);
    }
    if (fd >= 0)
        close(fd);
}

void TreeFixture::MakeHostileTree(const std::string &relative)
{
    const std::string top = relative + "/";
    MakeFolder(relative);
    const auto files = [&](const std::string &folder, int count) {
        for (int i = 0; i < count; ++i)
            MakeFile(folder + "f" + std::to_string(i) + (i % 3 ? ".txt" : ".log"),
                     i % 7 ? std::string(size_t(i), 'x') : "a needle in " + std::to_string(i));
    };
    files(top, 100);
    for (const char *odd : {"odd\xff\xfe.txt", "new\nline.txt", "semi;colon,comma.txt", "quote\"d.txt",
                            "tab\there.txt", "\xc3\xa9t\xc3\xa9.txt", ".hidden.txt", "  blanks  .txt", "-dash",
                            "star*quest?.txt", "<b>&amp;.html"})
        MakeFile(top + odd, "needle");
    MakeFolder(top + "sub");
    files(top + "sub/", 60);
    MakeFolder(top + "sub/inner");
    files(top + "sub/inner/", 40);
    MakeLink(top + "to-sub", "sub");
    MakeLink(top + "to-file", "f1.txt");
    MakeLink(top + "to-nowhere", "nowhere");
    MakeFifo(top + "pipe.txt");
    MakeFolder(top + "closed");
    files(top + "closed/", 5);
    chmod(Abs(top + "closed").c_str(), 0);
    MakeFolder(top + "listable");
    files(top + "listable/", 40);
    chmod(Abs(top + "listable").c_str(), 0444);  // names can be read, details cannot
    for (int i = 0; i < 40; ++i)
        MakeFolder(top + "empty" + std::to_string(i));
    MakeFolder(top + "chain");
    MakeChain(top + "chain", 40, "c", "end.txt");
}

void TreeFixture::MakeSparseWithTail(const std::string &relative, long long size,
                                     const std::string &tail)
{
    MakeSparse(relative, size - (long long)tail.size());
    const int fd = open(Abs(relative).c_str(), O_WRONLY | O_APPEND);
    Check(fd >= 0 && write(fd, tail.data(), tail.size()) == ssize_t(tail.size()), "tail " + relative);
    if (fd >= 0)
        close(fd);
}

bool TreeFixture::RunUnprivileged(const std::function<bool()> &body)
{
    return RunInChild([&body] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            return false;
        return body();
    });
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

bool TreeFixture::LeaveFreeDescriptors(int count)
{
    const struct rlimit limit = {256, 256};
    if (setrlimit(RLIMIT_NOFILE, &limit) != 0)
        return false;
    std::vector<int> taken;
    for (int fd; (fd = open("/dev/null", O_RDONLY)) >= 0;)
        taken.push_back(fd);
    if (errno != EMFILE || int(taken.size()) < count)
        return false;
    for (int i = 0; i < count; ++i) {
        close(taken.back());
        taken.pop_back();
    }
    return true;
}

long long TreeFixture::BytesRead(long long pid)
{
    const std::string path = "/proc/" + (pid == 0 ? std::string("self") : std::to_string(pid)) + "/io";
    std::FILE *io = std::fopen(path.c_str(), "r");
    long long bytes = -1;
    if (io && std::fscanf(io, "rchar: %lld", &bytes) != 1)
        bytes = -1;
    if (io)
        std::fclose(io);
    return bytes;
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
