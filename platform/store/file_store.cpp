// The settings store in one text file, written atomically under a lock (see file_store.h).
#include "file_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace platform {
namespace fs = std::filesystem;
using store_text::Hive;

namespace {

constexpr std::string_view kRootKey = "Software";  // always present, like the registry's own
// Damaged lines reported one by one; more are only counted.
constexpr std::size_t kMaxReportedLines = 20;
constexpr std::size_t kMaxReportedLineLength = 160;

// Holds an exclusive flock on the lock file for its lifetime.
class FileLock {
public:
    explicit FileLock(const fs::path& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) return;
        int rc;
        do rc = ::flock(fd_, LOCK_EX);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool locked() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

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

// ---- reading --------------------------------------------------------------------------------------

FileStore::ReadResult FileStore::readFile(Hive& hive) {
    const int fd = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Missing : ReadResult::Damaged;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<std::uint64_t>(st.st_size) > store_text::kMaxFileSize) {
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

void FileStore::refresh() {
    if (!pending_.empty() || openKeys_ > 0) return;
    Hive hive;
    ReadResult r = readFile(hive);
    if (r == ReadResult::Damaged) {
        // Look again under the lock: another copy of the game may be replacing the file right now.
        FileLock lock(lockFile_);
        r = lock.locked() ? readFile(hive) : ReadResult::Damaged;
        if (r == ReadResult::Damaged) {
            if (!lock.locked() || !setAside()) {
                broken_ = true;
                view_ = Hive{};
                return;
            }
            r = ReadResult::Missing;
        }
    }
    broken_ = false;
    view_ = r == ReadResult::Ok ? std::move(hive) : Hive{};
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
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) return StoreStatus::WriteFailed;
    FileLock lock(lockFile_);
    if (!lock.locked()) return StoreStatus::WriteFailed;
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
}

// ---- the store calls ------------------------------------------------------------------------------

StoreStatus FileStore::openKeyAt(const std::string& path) {
    refresh();
    if (broken_) return StoreStatus::AccessDenied;
    if (isRootKey(path) || view_.find(path) != nullptr) return StoreStatus::Success;
    return StoreStatus::NotFound;
}

StoreStatus FileStore::createKeyAt(const std::string& path, std::string_view keyClass, Disposition& disposition) {
    refresh();
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
    const store_text::Key* key = view_.find(path);
    const store_text::Value* value = key != nullptr ? key->findValue(name) : nullptr;
    if (value == nullptr) return {StoreStatus::NotFound, ValueType::Binary, 0};
    const auto size = static_cast<std::uint32_t>(value->data.size());
    if (buffer.data() == nullptr) return {StoreStatus::Success, value->type, size};
    if (value->data.size() > buffer.size()) return {StoreStatus::MoreData, value->type, size};
    std::copy(value->data.begin(), value->data.end(), buffer.begin());
    return {StoreStatus::Success, value->type, size};
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
