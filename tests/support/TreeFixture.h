#pragma once
// Real folder trees in a temporary folder, built from raw byte names so that
// tests can hold names no text type would produce.

#include "platform/MountTable.h"

#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace testing_support {

class TreeFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The root as the engine sees folders: absolute, ending in "/".
    QString Root() const;
    std::string RootBytes() const { return fRoot; }
    std::string Abs(const std::string &relative) const { return fRoot + "/" + relative; }

    void MakeFolder(const std::string &relative, unsigned mode = 0755);
    void MakeFile(const std::string &relative, const std::string &content = std::string(),
                  unsigned mode = 0644);
    // Modification and access time, seconds since the epoch.
    void SetTimes(const std::string &relative, long long modified, long long accessed);
    void MakeLink(const std::string &relative, const std::string &target);
    void MakeFifo(const std::string &relative);
    void MakeSparse(const std::string &relative, long long size);

    // The folder the explorer's tests show: data/ with the folders Photos
    // (holding p.jpg) and music, and zz.txt (300 bytes), aa.doc (10) and
    // Documents.txt (300), so that names, sizes and case all sort apart.
    void MakeExplorerSample();
    // A mounted ext4 file system at MountPoint, its device told apart by
    // Minor.
    static platform::TMountInfo Mount(const QString &mountPoint, int minor);

    // Permissions do not stop root, so what must meet an unreadable entry
    // runs in a child process that has given up its privileges. True when
    // Body returned true there.
    static bool RunUnprivileged(const std::function<bool()> &body);
    // Body in a forked child; true when it returned true there.
    static bool RunInChild(const std::function<bool()> &body);
    // Body in a child whose files may not grow beyond Bytes (write fails
    // with EFBIG there).
    static bool RunWithFileSizeLimit(long long bytes, const std::function<bool()> &body);

private:
    std::string fRoot;
};

// Collects the events of a search as lines, so that a test states the whole
// expected order at once: "begin", "folder sub/", "hit sub/a.txt", "finish".
struct EventLog {
    std::vector<std::string> lines;
    std::string root;
    std::string Relative(const QString &path) const;
};

} // namespace testing_support
