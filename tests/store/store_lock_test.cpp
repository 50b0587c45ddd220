// The store's lock: held across calls it makes a read, a change and its write one step; another
// program holding it, or a FIFO in the file's place, never hangs a store call.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "store_test_util.h"

namespace {

using platform::FileStore;
using platform::StoreKey;
using platform::StoreLock;
using platform::StoreStatus;
using platform::ValueType;
using namespace store_test;

// A child that has not finished by then hangs, and is killed by its alarm.
constexpr unsigned kChildDeadlineSeconds = 20;

class StoreLockTest : public StoreFolderTest {
protected:
    std::filesystem::path lockFile() const { return folder_ / "registry.txt.lock"; }

    // Whether another program could take the lock right now.
    bool lockIsFree() const {
        const int fd = ::open(lockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        ::close(fd);
        return free;
    }
};

// Runs body in a child process and returns its exit code; -1 when the child hung (or crashed).
int inChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) return -2;
    if (pid == 0) {
        alarm(kChildDeadlineSeconds);
        _exit(body());
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -2;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A child process holding the store's lock until told to go (or until its deadline passes).
class LockHolder {
public:
    explicit LockHolder(const std::filesystem::path& lockFile) {
        int ready[2];
        if (pipe(ready) != 0 || pipe(go_) != 0) return;
        std::fflush(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            alarm(kChildDeadlineSeconds);
            ::close(ready[0]);
            ::close(go_[1]);
            const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0) _exit(1);
            char c = 'L';
            if (::write(ready[1], &c, 1) != 1) _exit(1);
            // Holds the lock until the parent writes or closes its end.
            [[maybe_unused]] const ssize_t n = ::read(go_[0], &c, 1);
            _exit(0);
        }
        ::close(ready[1]);
        ::close(go_[0]);
        char c = 0;
        holding_ = pid_ > 0 && ::read(ready[0], &c, 1) == 1 && c == 'L';
        ::close(ready[0]);
    }
    ~LockHolder() { letGo(); }
    bool holding() const { return holding_; }
    void letGo() {
        if (pid_ <= 0) return;
        ::close(go_[1]);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        holding_ = false;
    }

private:
    pid_t pid_ = -1;
    int go_[2] = {-1, -1};
    bool holding_ = false;
};

TEST_F(StoreLockTest, LocksNestAndKeyClosesWriteAtOnceUnderThem) {
    FileStore store(folder_);
    FileStore other(folder_);
    StoreLock outer;
    StoreLock inner;
    ASSERT_EQ(store.lock(outer), StoreStatus::Success);
    ASSERT_EQ(store.lock(inner), StoreStatus::Success);
    EXPECT_TRUE(outer.held() && inner.held());
    EXPECT_FALSE(lockIsFree());
    // A key closed under the lock is written at once: other programs may read it already.
    ASSERT_EQ(put(store, "Software\\K", "V", "1"), StoreStatus::Success);
    EXPECT_EQ(get(other, "Software\\K", "V"), "1");
    inner.release();
    EXPECT_FALSE(lockIsFree());  // the outer one still holds it
    ASSERT_EQ(put(store, "Software\\K", "W", "2"), StoreStatus::Success);
    outer.release();
    EXPECT_TRUE(lockIsFree());
    EXPECT_EQ(get(other, "Software\\K", "W"), "2");
}

TEST_F(StoreLockTest, ChangesMadeWithKeysStillOpenAreWrittenWhenTheLockIsReleased) {
    FileStore store(folder_);
    FileStore other(folder_);
    {
        StoreLock lock;
        ASSERT_EQ(store.lock(lock), StoreStatus::Success);
        StoreKey key;
        ASSERT_EQ(store.createKey(nullptr, "Software\\K", "", key), StoreStatus::Success);
        const auto v = bytes("1");
        ASSERT_EQ(store.setValue(key, "V", ValueType::Binary, v), StoreStatus::Success);
        // The key outlives the lock (a caller's slip): the change still goes out with the lock.
        lock.release();
        EXPECT_EQ(get(other, "Software\\K", "V"), "1");
        EXPECT_TRUE(lockIsFree());
    }
}

TEST_F(StoreLockTest, UnderTheLockAReadSeesOtherProgramsChangesAndKeepsItsOwn) {
    FileStore a(folder_);
    FileStore b(folder_);
    ASSERT_EQ(put(a, "Software\\K", "V", "old"), StoreStatus::Success);
    // b opens the key and changes a value; its view is not read again while the key is open.
    StoreKey key;
    ASSERT_EQ(b.openKey(nullptr, "Software\\K", key), StoreStatus::Success);
    const auto mine = bytes("mine");
    ASSERT_EQ(b.setValue(key, "W", ValueType::Binary, mine), StoreStatus::Success);
    ASSERT_EQ(put(a, "Software\\K", "V", "new"), StoreStatus::Success);

    StoreLock lock;
    ASSERT_EQ(b.lock(lock), StoreStatus::Success);
    std::array<std::uint8_t, 8> buf{};
    const platform::QueryResult r = b.queryValue(key, "V", buf);
    ASSERT_EQ(r.status, StoreStatus::Success);
    EXPECT_EQ(std::string(buf.begin(), buf.begin() + r.size), "new");
    ASSERT_EQ(b.queryValue(key, "W", buf).status, StoreStatus::Success);
    ASSERT_EQ(key.close(), StoreStatus::Success);
    lock.release();
    FileStore check(folder_);
    EXPECT_EQ(get(check, "Software\\K", "V"), "new");
    EXPECT_EQ(get(check, "Software\\K", "W"), "mine");
}

TEST_F(StoreLockTest, TwoStoresReadChangeAndWriteInTurnWithoutLosingAnUpdate) {
    // Two copies of the game, each adding one to a counter it reads under the lock.
    FileStore a(folder_);
    FileStore b(folder_);
    ASSERT_EQ(put(a, "Software\\K", "N", "0"), StoreStatus::Success);

    StoreLock lockA;
    ASSERT_EQ(a.lock(lockA), StoreStatus::Success);
    const int seenByA = std::stoi(get(a, "Software\\K", "N"));
    // b wants its own step meanwhile: it cannot come between a's read and a's write.
    StoreLock lockB;
    EXPECT_EQ(b.lock(lockB), StoreStatus::Busy);
    EXPECT_FALSE(lockB.held());
    ASSERT_EQ(put(a, "Software\\K", "N", std::to_string(seenByA + 1)), StoreStatus::Success);
    lockA.release();

    ASSERT_EQ(b.lock(lockB), StoreStatus::Success);
    const int seenByB = std::stoi(get(b, "Software\\K", "N"));
    ASSERT_EQ(put(b, "Software\\K", "N", std::to_string(seenByB + 1)), StoreStatus::Success);
    lockB.release();
    FileStore check(folder_);
    EXPECT_EQ(get(check, "Software\\K", "N"), "2");
}

TEST_F(StoreLockTest, ProcessesCountingUnderTheLockLoseNoCount) {
    constexpr int kRounds = 25;
    {
        FileStore seed(folder_);
        ASSERT_EQ(put(seed, "Software\\K", "N", "0"), StoreStatus::Success);
    }
    auto count = [&] {
        FileStore store(folder_);
        for (int i = 0; i < kRounds;) {
            StoreLock lock;
            if (store.lock(lock) != StoreStatus::Success) continue;  // a slow holder: try again
            const int n = std::stoi(get(store, "Software\\K", "N"));
            if (put(store, "Software\\K", "N", std::to_string(n + 1)) != StoreStatus::Success) return 1;
            ++i;
        }
        return 0;
    };
    expectChildrenSucceed(
        2, [&](int) { return count(); }, kChildDeadlineSeconds * 3);
    FileStore check(folder_);
    EXPECT_EQ(get(check, "Software\\K", "N"), std::to_string(2 * kRounds));
}

TEST_F(StoreLockTest, AnotherProgramHoldingTheLockFailsTheWriteAfterTheBoundedWait) {
    {
        FileStore seed(folder_);
        ASSERT_EQ(put(seed, "Software\\K", "V", "before"), StoreStatus::Success);
    }
    LockHolder holder(lockFile());
    ASSERT_TRUE(holder.holding());
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    // Reading a sound file needs no lock.
    EXPECT_EQ(get(store, "Software\\K", "V"), "before");
    // The write gives up and says so, as any failed write; the change stays for a later write.
    EXPECT_EQ(put(store, "Software\\K", "V", "after"), StoreStatus::Busy);
    EXPECT_EQ(get(store, "Software\\K", "V"), "after");
    StoreLock lock;
    EXPECT_EQ(store.lock(lock), StoreStatus::Busy);
    EXPECT_FALSE(lock.held());
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("lock"), std::string::npos) << err;

    holder.letGo();
    EXPECT_EQ(store.flush(), StoreStatus::Success);
    FileStore check(folder_);
    EXPECT_EQ(get(check, "Software\\K", "V"), "after");
}

TEST_F(StoreLockTest, AnUnreadableFileWhileAnotherProgramHoldsTheLockIsLeftAloneForNow) {
    writeText(file(),
              "\x7f"
              "ELF junk");
    LockHolder holder(lockFile());
    ASSERT_TRUE(holder.holding());
    testing::internal::CaptureStderr();
    FileStore store(folder_);
    StoreKey key;
    EXPECT_EQ(store.openKey(nullptr, "Software", key), StoreStatus::Busy);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(filesNamed("registry.txt.damaged-").empty());
    holder.letGo();
    // Once the lock is free the file is set aside and the store works.
    testing::internal::CaptureStderr();
    EXPECT_EQ(put(store, "Software\\K", "V", "1"), StoreStatus::Success);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(filesNamed("registry.txt.damaged-").size(), 1u);
    EXPECT_FALSE(store.setAsideCopy().empty());
}

TEST_F(StoreLockTest, AFifoInTheFilesPlaceNeverBlocks) {
    std::filesystem::create_directories(folder_);
    ASSERT_EQ(mkfifo(file().c_str(), 0600), 0);
    const int code = inChild([&] {
        testing::internal::CaptureStderr();
        FileStore store(folder_);
        if (get(store, "Software\\K", "V") != "<missing>") return 2;
        if (put(store, "Software\\K", "V", "x") != StoreStatus::Success) return 3;
        if (store.setAsideCopy().empty()) return 4;
        return 0;
    });
    ASSERT_EQ(code, 0) << "-1: the store call hung";
    // The FIFO was moved aside untouched, and the store file is an ordinary one again.
    const auto aside = filesNamed("registry.txt.damaged-");
    ASSERT_EQ(aside.size(), 1u);
    struct stat st {};
    ASSERT_EQ(::lstat(aside[0].c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    FileStore check(folder_);
    EXPECT_EQ(get(check, "Software\\K", "V"), "x");
}

TEST_F(StoreLockTest, AFifoInTheLockFilesPlaceFailsWritesWithoutBlocking) {
    {
        FileStore seed(folder_);
        ASSERT_EQ(put(seed, "Software\\K", "V", "1"), StoreStatus::Success);
    }
    std::filesystem::remove(lockFile());
    ASSERT_EQ(mkfifo(lockFile().c_str(), 0600), 0);
    const int code = inChild([&] {
        FileStore store(folder_);
        if (get(store, "Software\\K", "V") != "1") return 2;
        if (put(store, "Software\\K", "V", "2") != StoreStatus::WriteFailed) return 3;
        StoreLock lock;
        if (store.lock(lock) != StoreStatus::WriteFailed) return 4;
        return 0;
    });
    EXPECT_EQ(code, 0) << "-1: the store call hung";
}

}  // namespace
