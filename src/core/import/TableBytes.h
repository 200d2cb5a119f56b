#pragma once

#include <cstddef>
#include <string_view>

namespace qs {

// The bytes of a table, in memory of their own: a big table is read straight
// into it, and a reader that is done with its first rows for good (a merge
// that reads the table once) gives their memory back as it goes.
class TableBytes {
public:
    TableBytes() = default;
    // Room for capacity bytes, none of them used yet. Throws std::bad_alloc.
    explicit TableBytes(std::size_t capacity);
    ~TableBytes();
    TableBytes(TableBytes&& other) noexcept;
    TableBytes& operator=(TableBytes&& other) noexcept;
    TableBytes(const TableBytes&) = delete;
    TableBytes& operator=(const TableBytes&) = delete;

    char* data() { return data_; }
    std::string_view view() const { return {data_, size_}; }
    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    // At most the capacity.
    void resize(std::size_t size);

    // The memory of the whole pages before offset goes back to the system;
    // those bytes read as zeros afterwards.
    void release(std::size_t offset);

private:
    void unmap();

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::size_t released_ = 0;
};

} // namespace qs
