// Every block that xml/ allocates comes from here, so that running out of memory is noticed
// in one place, and so that a caller can cap how many blocks the subsystem may take.
#pragma once

#include <cstddef>
#include <cstdlib>

// Null when the memory is not available (or the cap below is used up).
void* xml_malloc(std::size_t bytes);
void* xml_calloc(std::size_t count, std::size_t bytes);
// Null on failure, and then block is left as it was: the caller still owns and frees it.
void* xml_realloc(void* block, std::size_t bytes);

// While it lives, at most `allowed` further allocations of xml/ succeed on this thread; the
// ones after that fail as if memory had run out. Scopes nest; the previous cap comes back when
// one ends. This is how the out-of-memory paths of the parser and the tree are rehearsed.
class AllocationLimitScope {
  public:
    explicit AllocationLimitScope(long long allowed);
    ~AllocationLimitScope();
    AllocationLimitScope(const AllocationLimitScope&) = delete;
    AllocationLimitScope& operator=(const AllocationLimitScope&) = delete;

    // Whether every allocation this cap allows has been taken (the next one would fail).
    bool exhausted() const;

  private:
    long long saved_;
};

// A growable array in xml_malloc'd memory whose growth is checked (push gives false when memory
// runs out, and nothing is lost); T is trivially copyable.
template <typename T> class CheckedArray {
  public:
    CheckedArray() = default;
    ~CheckedArray() { std::free(items_); }
    CheckedArray(const CheckedArray&) = delete;
    CheckedArray& operator=(const CheckedArray&) = delete;

    bool push(const T& item) {
        if (size_ == capacity_ && !reserve_more()) {
            return false;
        }
        items_[size_++] = item;
        return true;
    }
    void pop() { --size_; }
    T* begin() const { return items_; }
    T* end() const { return items_ + size_; }
    T& operator[](std::size_t i) const { return items_[i]; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

  private:
    // T is often a pointer: its own size is what each entry takes.
    static constexpr std::size_t item_bytes = sizeof(T); // NOLINT(bugprone-sizeof-expression)

    bool reserve_more() {
        const std::size_t capacity = capacity_ == 0 ? 16 : capacity_ * 2;
        void* const grown = xml_realloc(items_, capacity * item_bytes);
        if (grown == nullptr) {
            return false;
        }
        items_ = static_cast<T*>(grown);
        capacity_ = capacity;
        return true;
    }

    T* items_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
