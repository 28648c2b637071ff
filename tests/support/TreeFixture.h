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
    // Where the temporary folder is made.
    virtual std::string TreeBase() const;
    // /dev/shm where it can be written: for trees that a shared disk would
    // take seconds to make or read (deep chains, huge sparse files).
    static std::string MemoryTreeBase();

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
    // A sparse file of Size bytes whose last bytes are Tail.
    void MakeSparseWithTail(const std::string &relative, long long size, const std::string &tail);
    // Depth nested folders named Name below Relative ("" for the root),
    // made through descriptors so that no path length limits them; File,
    // unless empty, is created in the deepest one.
    void MakeChain(const std::string &relative, int depth, const std::string &name,
                   const std::string &file = std::string());

    // Everything a walk must get right, in folders holding enough entries
    // that they are examined in several batches when a search has helper
    // threads: names that are not UTF-8 or hold line breaks, quotes and
    // delimiters; links to a folder, to a file and to nowhere; a FIFO; a
    // folder that cannot be opened and one whose entries cannot be
    // examined (both only for an unprivileged reader); empty folders; and a
    // chain deeper than a walk holds open. Every seventh file holds
    // "needle".
    void MakeHostileTree(const std::string &relative);

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
    // Body in a forked child, for what must not touch this process: lower
    // limits, or code that may crash. True when Body returned true there.
    static bool RunInChild(const std::function<bool()> &body);
    // Body in a child whose files may not grow beyond Bytes (write fails
    // with EFBIG there).
    static bool RunWithFileSizeLimit(long long bytes, const std::function<bool()> &body);
    // In a child: leaves exactly Count descriptors free below the limit.
    static bool LeaveFreeDescriptors(int count);
    // Bytes the process (0: this one) has read so far, as the kernel counts
    // them; -1 where it does not.
    static long long BytesRead(long long pid = 0);

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
