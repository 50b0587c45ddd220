// A copy of the game killed while it writes never leaves a store file that fails to load, and never
// loses a key that was there before.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "store_test_util.h"
#include "store_text.h"

namespace {

using platform::FileStore;
using platform::StoreStatus;
using namespace store_test;

using StoreCrashTest = StoreFolderTest;

TEST_F(StoreCrashTest, KilledMidWriteLeavesTheOldOrTheNewFile) {
    {
        FileStore store(folder_);
        ASSERT_EQ(put(store, "Software\\Mirrim\\Varnook\\1.0", "STATS11", "precious", platform::ValueType::String),
                  StoreStatus::Success);
    }
    // A big value makes each write take long enough for the kill to land inside it now and then.
    const std::string big(64 * 1024, 'x');
    constexpr int kRounds = 30;
    std::mt19937 rng(99);
    int roundsWithLeftovers = 0;
    long lastCount = -1;
    for (int round = 0; round < kRounds; ++round) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            for (long i = 0;; ++i) {
                FileStore store(folder_);
                platform::StoreKey key;
                store.createKey(nullptr, "Software\\Loop", "", key);
                const auto count = bytes(std::to_string(i));
                const auto blob = bytes(big);
                store.setValue(key, "BLOB", platform::ValueType::Binary, blob);
                store.setValue(key, "COUNT", platform::ValueType::Binary, count);
                key.close();
            }
        }
        // Mostly short lives; now and then a long one, so that some writes surely complete.
        usleep(static_cast<useconds_t>(round % 5 == 4 ? 600000 : 5000 + rng() % 150000));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        if (!filesNamed("registry.txt.tmp-").empty()) ++roundsWithLeftovers;

        // The file on disk is always complete.
        const std::string text = readText(file());
        const auto parsed = platform::store_text::parse(text);
        ASSERT_TRUE(parsed.has_value() && parsed->complete()) << "round " << round;
        FileStore check(folder_);
        EXPECT_EQ(get(check, "Software\\Mirrim\\Varnook\\1.0", "STATS11"), "precious");
        const std::string count = get(check, "Software\\Loop", "COUNT");
        if (count != "<missing>") {
            const long n = std::stol(count);
            EXPECT_GE(n, 0);
            lastCount = n;
        }
    }
    EXPECT_TRUE(filesNamed("registry.txt.damaged-").empty());
    EXPECT_GE(lastCount, 0) << "the writer never completed a write";
    // The next write clears what killed writers left behind.
    FileStore store(folder_);
    ASSERT_EQ(put(store, "Software\\After", "V", "1"), StoreStatus::Success);
    EXPECT_TRUE(filesNamed("registry.txt.tmp-").empty());
    std::printf("[ info ] rounds that killed a writer with a temporary file open: %d of %d\n", roundsWithLeftovers,
                kRounds);
}

}  // namespace
