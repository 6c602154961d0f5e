// Saving as an ordinary user: a file is written only where that user may write it, whatever
// its folder allows, and keeps its mode, owner and group. The tests run as root; each save
// runs in a child process that has become the user nobody.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "config_file/file_io.h"
#include "config_file_fixture.h"
#include "support/as_nobody.h"

namespace dunax {
namespace {

using testing::kKW4File;
namespace fs = std::filesystem;

using testing::kNobody;
using testing::kNogroup;
constexpr uid_t kRoot = 0;

// Makes every fallocate of this process fail with err, as on a file system that cannot
// reserve room. Only for a child process: it cannot be undone.
bool failFallocate(int err) {
    sock_filter code[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_fallocate, 0, 1),
        BPF_STMT(BPF_RET | BPF_K,
                 SECCOMP_RET_ERRNO | (static_cast<unsigned>(err) & SECCOMP_RET_DATA)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

struct Shown {
    std::string title;
    std::string text;
};

class SavePermissionsTest : public testing::ConfigFileTest {
  protected:
    void SetUp() override {
        ConfigFileTest::SetUp();
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to set up files of other owners";
        // nobody may pass through the scratch folder, write in "home" and only read "ro".
        ::chmod(dir.c_str(), 0755);
        fs::create_directory(dir / "home");
        fs::create_directory(dir / "ro");
        ASSERT_EQ(::chown((dir / "home").c_str(), kNobody, kNogroup), 0);
        ::chmod((dir / "home").c_str(), 0755);
        ::chmod((dir / "ro").c_str(), 0755);
        identify("J6P-KW4", " 1.05");
        testing::kw4State();
    }

    void put(const std::string& name, const std::string& bytes, uid_t uid, gid_t gid, mode_t mode) {
        writeFile(path(name), bytes);
        ASSERT_EQ(::chown(path(name).c_str(), uid, gid), 0);
        ASSERT_EQ(::chmod(path(name).c_str(), mode), 0);
    }

    // File > Save of name in a child process running as nobody, with files limited to
    // sizeLimit bytes and, unless fallocateError is 0, every fallocate failing with it and
    // freeBytes free on the file system (unless it is negative: as much as there is); what it
    // showed.
    std::vector<Shown> saveAsNobody(const std::string& name, rlim_t sizeLimit = RLIM_INFINITY,
                                    int fallocateError = 0, long long freeBytes = -1) {
        const std::string out = testing::RunAsNobody(
            [&] {
                if (fallocateError != 0 && !failFallocate(fallocateError)) ::_exit(6);
                if (freeBytes >= 0) config_file::SetFreeSpaceQuery([=](int) { return freeBytes; });
                save(path(name));
                std::string text;
                for (const auto& m : host.messages) text += m.title + '\n' + m.text + '\0';
                return text;
            },
            sizeLimit);
        std::vector<Shown> shown;
        for (std::size_t p = 0; p < out.size();) {
            const std::size_t nl = out.find('\n', p);
            const std::size_t end = out.find('\0', nl);
            shown.push_back({out.substr(p, nl - p), out.substr(nl + 1, end - nl - 1)});
            p = end + 1;
        }
        return shown;
    }

    void expectOwnerAndMode(const std::string& name, uid_t uid, gid_t gid, mode_t mode) const {
        struct stat st {};
        ASSERT_EQ(::stat(path(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(st.st_uid, uid);
        EXPECT_EQ(st.st_gid, gid);
    }

    std::vector<std::string> filesIn(const std::string& folder) const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir / folder)) {
            out.push_back(e.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }
};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const std::string kOld = "OLD";
// Longer than the new text: a file written in place must be cut to the new length.
const std::string kLongOld = std::string(3000, 'x') + "\r\n";
// The file-size limit that the new text just fits.
const rlim_t kFits = testing::kKW4File.size();
// An empty file has no blocks: written in place, it grows by the whole new text.
const std::string kEmpty;
const long long kGrowth = static_cast<long long>(testing::kKW4File.size());

// What nobody may not write is refused untouched, whatever the folder allows.
TEST_F(SavePermissionsTest, AFileTheUserMayNotWriteIsRefused) {
    struct Row {
        const char* name;
        uid_t uid;
        gid_t gid;
        mode_t mode;
    };
    const Row rows[] = {
        {"home/own-readonly.uJx", kNobody, kNogroup, 0444},
        {"home/root.uJx", kRoot, kRoot, 0644},
        {"home/root-group-readable.uJx", kRoot, kNogroup, 0644},
        {"ro/own-readonly.uJx", kNobody, kNogroup, 0444},
        {"ro/root.uJx", kRoot, kRoot, 0644},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        put(row.name, kOld, row.uid, row.gid, row.mode);
        const std::vector<std::string> before = filesIn(fs::path(row.name).parent_path());

        const std::vector<Shown> shown = saveAsNobody(row.name);

        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].title, "Open Error");
        EXPECT_TRUE(has(shown[0].text, path(row.name))) << shown[0].text;
        EXPECT_TRUE(has(shown[0].text, "Permission denied")) << shown[0].text;
        EXPECT_EQ(readFile(path(row.name)), kOld);
        expectOwnerAndMode(row.name, row.uid, row.gid, row.mode);
        EXPECT_EQ(filesIn(fs::path(row.name).parent_path()), before);  // no temporary left
    }
}

// What nobody may write is written, in a folder nobody may not change as well, and keeps its
// mode, owner and group.
TEST_F(SavePermissionsTest, AFileTheUserMayWriteIsSavedAndKeepsModeAndOwner) {
    struct Row {
        const char* name;
        const std::string& old;
        uid_t uid;
        gid_t gid;
        mode_t mode;
        rlim_t sizeLimit = RLIM_INFINITY;
        int fallocateError = 0;
        long long freeBytes = -1;
    };
    const Row rows[] = {
        {"home/own.uJx", kOld, kNobody, kNogroup, 0600},
        {"home/own-long.uJx", kLongOld, kNobody, kNogroup, 0640},
        {"home/shared.uJx", kOld, kRoot, kNogroup, 0664},  // the group may write
        {"home/anyone.uJx", kLongOld, kRoot, kRoot, 0666},
        {"ro/own.uJx", kOld, kNobody, kNogroup, 0644},
        {"ro/own-long.uJx", kLongOld, kNobody, kNogroup, 0600},
        {"ro/shared.uJx", kLongOld, kRoot, kNogroup, 0660},
        {"home/own-at-limit.uJx", kOld, kNobody, kNogroup, 0644, kFits},
        {"ro/own-at-limit.uJx", kOld, kNobody, kNogroup, 0644, kFits},
        // A file system that cannot reserve room: its free space decides.
        {"ro/own-long-no-reserve.uJx", kLongOld, kNobody, kNogroup, 0644, RLIM_INFINITY,
         EOPNOTSUPP},
        {"ro/own-no-reserve.uJx", kOld, kNobody, kNogroup, 0644, RLIM_INFINITY, ENOSYS},
        // Only what the file grows by beyond its blocks needs free space.
        {"ro/empty-grows-by-free.uJx", kEmpty, kNobody, kNogroup, 0644, RLIM_INFINITY, EOPNOTSUPP,
         kGrowth},
        {"ro/own-long-full-disk.uJx", kLongOld, kNobody, kNogroup, 0644, RLIM_INFINITY, EOPNOTSUPP,
         0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        put(row.name, row.old, row.uid, row.gid, row.mode);
        const std::vector<std::string> before = filesIn(fs::path(row.name).parent_path());

        const std::vector<Shown> shown =
            saveAsNobody(row.name, row.sizeLimit, row.fallocateError, row.freeBytes);

        EXPECT_TRUE(shown.empty()) << shown[0].title << ": " << shown[0].text;
        EXPECT_EQ(readFile(path(row.name)), kKW4File);
        expectOwnerAndMode(row.name, row.uid, row.gid, row.mode);
        EXPECT_EQ(filesIn(fs::path(row.name).parent_path()), before);
    }
}

// A failed save says what became of the file: "left as it was" only where there was one.
TEST_F(SavePermissionsTest, AFailedSaveTellsWhatBecameOfTheFile) {
    struct Row {
        const char* name;
        const std::string* old;  // nullptr: no file there
        rlim_t sizeLimit;
        const char* reason;
        long long freeBytes = -1;  // when not negative, the file system cannot reserve room
    };
    // One byte short of the new text: the write would pass the file-size limit.
    const rlim_t shortByOne = kFits - 1;
    const Row rows[] = {
        {"ro/new.uJx", nullptr, RLIM_INFINITY, "Permission denied"},
        {"home/new.uJx", nullptr, shortByOne, "File too large"},
        {"home/own.uJx", &kOld, shortByOne, "File too large"},  // the temporary file fails
        {"ro/own.uJx", &kOld, shortByOne, "File too large"},    // in place, the file would grow
        {"ro/own-long.uJx", &kLongOld, shortByOne, "File too large"},  // in place, it shrinks
        {"ro/empty.uJx", &kEmpty, RLIM_INFINITY, "No space left on device", kGrowth - 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const bool exists = row.old != nullptr;
        // An old time of last change, which a file left as it was keeps.
        const timespec oldTime[2] = {{1000000000, 0}, {1000000000, 0}};
        if (exists) {
            put(row.name, *row.old, kNobody, kNogroup, 0644);
            ASSERT_EQ(::utimensat(AT_FDCWD, path(row.name).c_str(), oldTime, 0), 0);
        }
        const std::vector<std::string> before = filesIn(fs::path(row.name).parent_path());

        const std::vector<Shown> shown = saveAsNobody(
            row.name, row.sizeLimit, row.freeBytes < 0 ? 0 : EOPNOTSUPP, row.freeBytes);

        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].title, "Open Error");
        EXPECT_TRUE(has(shown[0].text, path(row.name))) << shown[0].text;
        EXPECT_TRUE(has(shown[0].text, row.reason)) << shown[0].text;
        EXPECT_TRUE(has(shown[0].text, "The file was not written")) << shown[0].text;
        EXPECT_EQ(has(shown[0].text, "a file of that name was left as it was"), exists)
            << shown[0].text;
        if (exists) {
            EXPECT_EQ(readFile(path(row.name)), *row.old);
            struct stat st {};
            ASSERT_EQ(::stat(path(row.name).c_str(), &st), 0);
            EXPECT_EQ(st.st_mtim.tv_sec, oldTime[1].tv_sec);
        }
        EXPECT_EQ(filesIn(fs::path(row.name).parent_path()), before);
    }
}

}  // namespace
}  // namespace dunax
