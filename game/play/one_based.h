// Containers indexed the way the game numbers cells, words, list rows and panel items: from 1 (or
// from another first index), never with an unused slot 0. Every such access goes through these.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <vector>

namespace game {

// A growable array indexed from 1.
template <class T>
class OneBased {
public:
    OneBased() = default;
    explicit OneBased(int n, const T& value = T()) : items_(n > 0 ? static_cast<std::size_t>(n) : 0, value) {}

    // Re-dimensions to 1..n; every element becomes value.
    void reset(int n, const T& value = T()) { items_.assign(n > 0 ? static_cast<std::size_t>(n) : 0, value); }
    // Re-dimensions to 1..n keeping the elements that remain.
    void resize(int n, const T& value = T()) { items_.resize(n > 0 ? static_cast<std::size_t>(n) : 0, value); }
    void clear() { items_.clear(); }

    int size() const { return static_cast<int>(items_.size()); }
    bool empty() const { return items_.empty(); }
    bool contains(int i) const { return i >= 1 && i <= size(); }

    T& operator[](int i) {
        assert(contains(i));
        return items_[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](int i) const {
        assert(contains(i));
        return items_[static_cast<std::size_t>(i - 1)];
    }

    void push_back(const T& value) { items_.push_back(value); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    std::vector<T>& raw() { return items_; }
    const std::vector<T>& raw() const { return items_; }

private:
    std::vector<T> items_;
};

// A fixed array indexed from First to Last, both included.
template <class T, int First, int Last>
class Indexed {
    static_assert(First <= Last);

public:
    static constexpr int kFirst = First;
    static constexpr int kLast = Last;

    static constexpr bool contains(int i) { return i >= First && i <= Last; }

    constexpr T& operator[](int i) {
        assert(contains(i));
        return items_[static_cast<std::size_t>(i - First)];
    }
    constexpr const T& operator[](int i) const {
        assert(contains(i));
        return items_[static_cast<std::size_t>(i - First)];
    }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::array<T, static_cast<std::size_t>(Last - First + 1)> items_{};
};

}  // namespace game
