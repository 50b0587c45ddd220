// The settings store kept in one text file, $XDG_CONFIG_HOME/varnook/registry.txt (default
// ~/.config/varnook/registry.txt). Not thread-safe; several processes may share the file.
//
// Changes are collected while keys are open and written when a key is closed: under an exclusive lock
// (a flock on registry.txt.lock, waited for at most store_limits::kLockWaitMs) the file is read again,
// only this store's own changes are applied to what is there, and the result goes to a temporary file
// that is synced and renamed over the old one (the folder is synced too), so the file is always either
// the old or the new version and other programs' keys are kept. The lock can also be held across
// calls (Store::lock); the store then reads the file once when it takes the lock and writes each key
// close at once under it.
//
// Only a regular file is ever opened, so a FIFO or device in the file's place cannot block. A damaged
// line costs only itself (reported on stderr); a file that cannot be read at all is set aside as
// registry.txt.damaged-<time> (setAsideCopy) and the store starts empty.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/store.h"
#include "store_text.h"

namespace platform {

class FileStore final : public Store {
public:
    static constexpr const char* kFileName = "registry.txt";

    // A store whose file lives in folder; the folder is created on the first write.
    explicit FileStore(std::filesystem::path folder);
    // Writes any changes still pending.
    ~FileStore() override;
    FileStore(const FileStore&) = delete;
    FileStore& operator=(const FileStore&) = delete;

    // $XDG_CONFIG_HOME/varnook, or ~/.config/varnook when that is unset, empty or relative.
    static std::filesystem::path defaultFolder();

    const std::filesystem::path& filePath() const { return file_; }
    // Handles currently open (the game opens and closes its keys within each call).
    int openKeyCount() const { return openKeys_; }
    // Writes the pending changes now.
    StoreStatus flush();

    std::string setAsideCopy() const override { return setAsideCopy_; }

protected:
    StoreStatus openKeyAt(const std::string& path) override;
    StoreStatus createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) override;
    QueryResult queryValueAt(const std::string& path, std::string_view name, std::span<std::uint8_t> buffer) override;
    StoreStatus setValueAt(const std::string& path, std::string_view name, ValueType type,
                           std::span<const std::uint8_t> data) override;
    StoreStatus keyClassAt(const std::string& path, std::string& result) override;
    void keyOpened(const std::string& path) override;
    StoreStatus keyClosed(const std::string& path) override;
    StoreStatus acquireLock() override;
    void releaseLock() override;

private:
    // One change made through this store, replayed onto the file's current contents when writing.
    struct Change {
        std::string path;
        std::string keyClass;  // for a created key
        bool isValue = false;
        std::string name;
        ValueType type = ValueType::Binary;
        std::vector<std::uint8_t> data;
    };
    enum class ReadResult { Ok, Missing, Damaged };

    // Takes the lock file's flock, or counts one more hold of it (bounded wait: Busy; no lock file
    // can be made or opened: WriteFailed). Every hold is given back with dropLock.
    StoreStatus holdLock();
    void dropLock();
    // Reads the file again when no change is pending and the lock is not held, so that other
    // programs' writes are seen; a file that cannot be read is set aside under the lock.
    StoreStatus refresh();
    // With the lock just taken: the file as it stands, this store's pending changes on top.
    void reloadUnderLock();
    // Damaged: the file is there but cannot be read at all (not a regular file, too large, not a
    // store file). Damaged lines are reported and left out.
    ReadResult readFile(store_text::Hive& hive);
    void reportDamage(const store_text::ParseResult& parsed);
    // Sets a damaged file aside (the lock must be held). False when it cannot be moved.
    bool setAside();
    bool writeFile(const store_text::Hive& hive);
    void removeStaleTemporaries() const;
    static void apply(store_text::Hive& hive, const Change& change);

    std::filesystem::path folder_;
    std::filesystem::path file_;
    std::filesystem::path lockFile_;
    store_text::Hive view_;
    std::vector<Change> pending_;
    int openKeys_ = 0;
    int lockFd_ = -1;      // the lock file, open while the lock is held
    int lockDepth_ = 0;    // holds of the lock: Store::lock nests, and writes hold it inside
    bool broken_ = false;  // the file can be neither read nor set aside: the store refuses all calls
    std::string setAsideCopy_;
    std::string lastDamageReport_;  // so that the same damage is not reported at every read
};

}  // namespace platform
