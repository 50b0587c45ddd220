// Shared helpers of the store tests: a fresh folder per test and small read/write shorthands.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "file_store.h"

namespace store_test {

// A temporary XDG_CONFIG_HOME for one test, removed afterwards.
class StoreFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "varnook-store-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        setenv("XDG_CONFIG_HOME", root_.c_str(), 1);
        folder_ = platform::FileStore::defaultFolder();
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    std::filesystem::path file() const { return folder_ / platform::FileStore::kFileName; }

    std::vector<std::filesystem::path> filesNamed(const std::string& prefix) const {
        std::vector<std::filesystem::path> out;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(folder_, ec))
            if (e.path().filename().string().starts_with(prefix)) out.push_back(e.path());
        return out;
    }

    std::filesystem::path root_;
    std::filesystem::path folder_;
};

inline std::string readText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::filesystem::path& p, const std::string& text) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

inline std::vector<std::uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

// Sets one value under root\path (creating the key) and closes it.
inline platform::StoreStatus put(platform::Store& store, std::string_view path, std::string_view name,
                                 std::string_view data, platform::ValueType type = platform::ValueType::Binary) {
    platform::StoreKey key;
    if (auto s = store.createKey(nullptr, path, "", key); s != platform::StoreStatus::Success) return s;
    const auto b = bytes(data);
    if (auto s = store.setValue(key, name, type, b); s != platform::StoreStatus::Success) return s;
    return key.close();
}

// The value's bytes, or "<missing>".
inline std::string get(platform::Store& store, std::string_view path, std::string_view name) {
    platform::StoreKey key;
    if (store.openKey(nullptr, path, key) != platform::StoreStatus::Success) return "<missing>";
    std::vector<std::uint8_t> buf(4096);
    const platform::QueryResult r = store.queryValue(key, name, buf);
    if (r.status != platform::StoreStatus::Success) return "<missing>";
    return std::string(buf.begin(), buf.begin() + r.size);
}

// Runs body(i) for i = 0 .. n-1, each in a child process of its own, all at once (a child still
// running after deadlineSeconds is ended; 0: no deadline), and expects every child to exit with 0.
inline void expectChildrenSucceed(int n, const std::function<int(int)>& body, unsigned deadlineSeconds = 0) {
    std::vector<pid_t> children;
    std::fflush(nullptr);
    for (int i = 0; i < n; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (deadlineSeconds > 0) alarm(deadlineSeconds);
            _exit(body(i));
        }
        children.push_back(pid);
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        int status = 0;
        ASSERT_EQ(waitpid(children[i], &status, 0), children[i]);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child " << i;
    }
}

}  // namespace store_test
