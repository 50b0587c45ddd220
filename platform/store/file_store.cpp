// The settings store in one text file, written atomically under a lock (see file_store.h).
#include "file_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace platform {
namespace fs = std::filesystem;
using store_text::Hive;

namespace {

constexpr std::string_view kRootKey = "Software";  // always present, like the registry's own
// How often a waiting store looks at the lock again.
constexpr auto kLockPoll = std::chrono::milliseconds(10);
// Damaged lines reported one by one; more are only counted.
constexpr std::size_t kMaxReportedLines = 20;
constexpr std::size_t kMaxReportedLineLength = 160;

// Opens path only when it is a regular file (or creates it, with create), never blocking: a FIFO or
// device in its place is refused unopened. -1 when it cannot be opened.
int openRegular(const fs::path& path, int flags, bool create = false) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            errno = EINVAL;
            return -1;
        }
    } else if (errno != ENOENT || !create) {
        return -1;
    }
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | (create ? O_CREAT : 0), 0600);
    if (fd < 0) return -1;
    // Look again at what was opened: the name may have been replaced in between.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

enum class LockWait { Taken, Busy, Failed };

// Takes an exclusive flock on fd, waiting at most store_limits::kLockWaitMs for its holder.
LockWait waitForLock(int fd) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(store_limits::kLockWaitMs);
    while (true) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return LockWait::Taken;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) return LockWait::Failed;
        const Clock::time_point now = Clock::now();
        if (now >= deadline) return LockWait::Busy;
        std::this_thread::sleep_for(std::min<Clock::duration>(kLockPoll, deadline - now));
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

std::string timeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &utc);
    return buf;
}

bool isRootKey(std::string_view path) { return store_text::sameName(path, kRootKey); }

// A line of the file as it may be shown on a terminal: bytes other than printable ASCII as \xHH,
// and cut short when long.
std::string printable(std::string_view line) {
    std::string out;
    for (const char c : line) {
        if (out.size() >= kMaxReportedLineLength) {
            out += "...";
            break;
        }
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7f) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", b);
            out += hex;
        }
    }
    return out;
}

}  // namespace

FileStore::FileStore(fs::path folder)
    : folder_(std::move(folder)), file_(folder_ / kFileName), lockFile_(folder_ / (std::string(kFileName) + ".lock")) {}

FileStore::~FileStore() {
    if (!pending_.empty()) flush();
    if (lockFd_ >= 0) ::close(lockFd_);  // a lock left held: closing gives it back
}

fs::path FileStore::defaultFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return fs::path(xdg) / "varnook";
    const char* home = std::getenv("HOME");
    std::string base = home != nullptr && home[0] == '/' ? home : "";
    if (base.empty()) {
        // No usable HOME: the password database knows the home folder.
        struct passwd pw {};
        struct passwd* found = nullptr;
        char buf[4096];
        if (getpwuid_r(getuid(), &pw, buf, sizeof buf, &found) == 0 && found != nullptr && found->pw_dir != nullptr)
            base = found->pw_dir;
    }
    if (base.empty()) base = ".";
    return fs::path(base) / ".config" / "varnook";
}

// ---- the lock -------------------------------------------------------------------------------------

StoreStatus FileStore::holdLock() {
    if (lockDepth_ > 0) {
        ++lockDepth_;
        return StoreStatus::Success;
    }
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) return StoreStatus::WriteFailed;
    int fd = openRegular(lockFile_, O_RDWR, true);
    // A folder that cannot be written to: the lock can still be shared with readers.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = openRegular(lockFile_, O_RDONLY);
    if (fd < 0) return StoreStatus::WriteFailed;
    const LockWait wait = waitForLock(fd);
    if (wait != LockWait::Taken) {
        ::close(fd);
        if (wait == LockWait::Busy) {
            std::fprintf(stderr, "varnook: another program has held the lock on %s for over %d ms; gave up waiting\n",
                         file_.c_str(), store_limits::kLockWaitMs);
            return StoreStatus::Busy;
        }
        return StoreStatus::WriteFailed;
    }
    lockFd_ = fd;
    lockDepth_ = 1;
    return StoreStatus::Success;
}

void FileStore::dropLock() {
    if (lockDepth_ == 0 || --lockDepth_ > 0) return;
    ::close(lockFd_);  // closing gives the flock back
    lockFd_ = -1;
}

StoreStatus FileStore::acquireLock() {
    const bool taking = lockDepth_ == 0;
    if (const StoreStatus s = holdLock(); s != StoreStatus::Success) return s;
    if (taking) reloadUnderLock();
    return StoreStatus::Success;
}

void FileStore::releaseLock() {
    // What was changed under the lock goes out before others may come in; a write that fails here
    // stays pending, as any failed write does.
    if (lockDepth_ == 1 && !pending_.empty()) flush();
    dropLock();
}

void FileStore::reloadUnderLock() {
    Hive base;
    if (readFile(base) == ReadResult::Damaged) {
        if (!setAside()) {
            broken_ = true;
            view_ = Hive{};
            return;
        }
        base = Hive{};
    }
    broken_ = false;
    for (const Change& change : pending_) apply(base, change);
    view_ = std::move(base);
}

// ---- reading --------------------------------------------------------------------------------------

FileStore::ReadResult FileStore::readFile(Hive& hive) {
    const int fd = openRegular(file_, O_RDONLY);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Damaged;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || static_cast<std::uint64_t>(st.st_size) > store_text::kMaxFileSize) {
        ::close(fd);
        return ReadResult::Damaged;
    }
    // Read at most one byte more than the limit, whatever the size said.
    std::string text(store_text::kMaxFileSize + 1, '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return ReadResult::Damaged;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(got);
    std::optional<store_text::ParseResult> parsed = store_text::parse(text);
    if (!parsed) return ReadResult::Damaged;
    reportDamage(*parsed);
    hive = std::move(parsed->hive);
    return ReadResult::Ok;
}

void FileStore::reportDamage(const store_text::ParseResult& parsed) {
    std::string report;
    const std::string file = printable(file_.string());
    for (std::size_t i = 0; i < parsed.dropped.size() && i < kMaxReportedLines; ++i) {
        const store_text::DroppedLine& d = parsed.dropped[i];
        report += "varnook: " + file + " line " + std::to_string(d.number) + ": dropped " + std::string(d.reason) +
                  ": " + printable(d.text) + "\n";
    }
    if (parsed.dropped.size() > kMaxReportedLines)
        report += "varnook: " + file + ": " + std::to_string(parsed.dropped.size() - kMaxReportedLines) +
                  " more damaged lines dropped\n";
    if (!parsed.ended)
        report += "varnook: " + file + ": no end line, so the file may have been cut short; kept every whole line\n";
    // The file is read again at almost every call: say it once, until it changes.
    if (report != lastDamageReport_) std::fputs(report.c_str(), stderr);
    lastDamageReport_ = std::move(report);
}

bool FileStore::setAside() {
    const std::string base = file_.string() + ".damaged-" + timeStamp();
    std::string target = base;
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(target, ec)); ++n) {
        if (n > 1000) return false;
        target = base + "-" + std::to_string(n);
    }
    if (::rename(file_.c_str(), target.c_str()) != 0) {
        std::fprintf(stderr,
                     "varnook: the settings file %s cannot be read or moved aside; settings will not be saved\n",
                     file_.c_str());
        return false;
    }
    syncFolder(folder_);
    std::fprintf(stderr, "varnook: the settings file %s could not be read at all; kept it as %s and started afresh\n",
                 file_.c_str(), target.c_str());
    setAsideCopy_ = target;
    return true;
}

StoreStatus FileStore::refresh() {
    // Under the lock the view is current: read when the lock was taken, changed only by this store.
    if (lockDepth_ > 0 || !pending_.empty() || openKeys_ > 0) return StoreStatus::Success;
    Hive hive;
    ReadResult r = readFile(hive);
    if (r == ReadResult::Damaged) {
        // Look again under the lock: another copy of the game may be replacing the file right now.
        const StoreStatus s = holdLock();
        if (s == StoreStatus::Busy) return s;
        r = s == StoreStatus::Success ? readFile(hive) : ReadResult::Damaged;
        const bool setAsideNow = r == ReadResult::Damaged && s == StoreStatus::Success && setAside();
        if (s == StoreStatus::Success) dropLock();
        if (r == ReadResult::Damaged) {
            if (!setAsideNow) {
                broken_ = true;
                view_ = Hive{};
                return StoreStatus::Success;
            }
            r = ReadResult::Missing;
        }
    }
    broken_ = false;
    view_ = r == ReadResult::Ok ? std::move(hive) : Hive{};
    return StoreStatus::Success;
}

// ---- writing --------------------------------------------------------------------------------------

void FileStore::removeStaleTemporaries() const {
    // Writers only make temporaries while they hold the lock, so any found now was left by a writer
    // that died.
    const std::string prefix = std::string(kFileName) + ".tmp-";
    std::error_code ec;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().starts_with(prefix)) stale.push_back(it->path());
    for (const fs::path& p : stale) fs::remove(p, ec);
}

bool FileStore::writeFile(const Hive& hive) {
    // Follow a symlinked store file to where it really lives, so the link survives.
    fs::path target = file_;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(file_, ec))) {
        fs::path real = fs::canonical(file_, ec);
        if (!ec) target = std::move(real);
    }
    const fs::path dir = target.parent_path();
    const fs::path temp = dir / (std::string(kFileName) + ".tmp-" + std::to_string(::getpid()));
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) {
        ::unlink(temp.c_str());
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    }
    if (fd < 0) return false;
    const std::string text = store_text::format(hive);
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(dir);
    return true;
}

void FileStore::apply(Hive& hive, const Change& change) {
    store_text::Key& key = hive.create(change.path, change.keyClass);
    if (change.isValue) key.setValue(change.name, change.type, change.data);
}

StoreStatus FileStore::flush() {
    if (pending_.empty()) return StoreStatus::Success;
    if (broken_) return StoreStatus::AccessDenied;
    // Under a lock already held this costs nothing and the write goes out at once.
    if (const StoreStatus s = holdLock(); s != StoreStatus::Success) return s;  // the changes stay pending
    const StoreStatus result = [&] {
        removeStaleTemporaries();
        // Start from what the file holds now, so that keys written meanwhile by others are kept.
        Hive base;
        if (readFile(base) == ReadResult::Damaged) {
            if (!setAside()) {
                broken_ = true;
                return StoreStatus::AccessDenied;
            }
            base = Hive{};
        }
        for (const Change& change : pending_) apply(base, change);
        if (!writeFile(base)) return StoreStatus::WriteFailed;  // the changes stay pending
        view_ = std::move(base);
        pending_.clear();
        return StoreStatus::Success;
    }();
    dropLock();
    return result;
}

// ---- the store calls ------------------------------------------------------------------------------

StoreStatus FileStore::openKeyAt(const std::string& path) {
    if (const StoreStatus s = refresh(); s != StoreStatus::Success) return s;
    if (broken_) return StoreStatus::AccessDenied;
    if (isRootKey(path) || view_.find(path) != nullptr) return StoreStatus::Success;
    return StoreStatus::NotFound;
}

StoreStatus FileStore::createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) {
    if (const StoreStatus s = refresh(); s != StoreStatus::Success) return s;
    if (broken_) return StoreStatus::AccessDenied;
    if (isRootKey(path) || view_.find(path) != nullptr) {
        disposition = Disposition::OpenedExistingKey;
        return StoreStatus::Success;
    }
    Change change;
    change.path = path;
    change.keyClass = keyClass;
    apply(view_, change);
    pending_.push_back(std::move(change));
    disposition = Disposition::CreatedNewKey;
    return StoreStatus::Success;
}

QueryResult FileStore::queryValueAt(const std::string& path, std::string_view name, std::span<std::uint8_t> buffer) {
    if (broken_) return {StoreStatus::AccessDenied, ValueType::Binary, 0};
    return view_.query(path, name, buffer);
}

StoreStatus FileStore::setValueAt(const std::string& path, std::string_view name, ValueType type,
                                  std::span<const std::uint8_t> data) {
    if (broken_) return StoreStatus::AccessDenied;
    Change change;
    change.path = path;
    change.isValue = true;
    change.name = name;
    change.type = type;
    change.data.assign(data.begin(), data.end());
    apply(view_, change);
    pending_.push_back(std::move(change));
    return StoreStatus::Success;
}

StoreStatus FileStore::keyClassAt(const std::string& path, std::string& result) {
    if (broken_) return StoreStatus::AccessDenied;
    const store_text::Key* key = view_.find(path);
    if (key == nullptr) {
        if (!isRootKey(path)) return StoreStatus::NotFound;
        result.clear();
        return StoreStatus::Success;
    }
    result = key->keyClass;
    return StoreStatus::Success;
}

void FileStore::keyOpened(const std::string&) { ++openKeys_; }

StoreStatus FileStore::keyClosed(const std::string&) {
    if (openKeys_ > 0) --openKeys_;
    return flush();
}

}  // namespace platform
