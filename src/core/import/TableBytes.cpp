#include "core/import/TableBytes.h"

#include <algorithm>
#include <new>
#include <utility>

#include <sys/mman.h>
#include <unistd.h>

namespace qs {

TableBytes::TableBytes(std::size_t capacity)
{
    if (capacity == 0)
        return;
    void* memory = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    data_ = static_cast<char*>(memory);
    capacity_ = capacity;
}

TableBytes::~TableBytes()
{
    unmap();
}

TableBytes::TableBytes(TableBytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)), released_(std::exchange(other.released_, 0))
{
}

TableBytes& TableBytes::operator=(TableBytes&& other) noexcept
{
    if (this != &other) {
        unmap();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        released_ = std::exchange(other.released_, 0);
    }
    return *this;
}

void TableBytes::unmap()
{
    if (data_)
        munmap(data_, capacity_);
    data_ = nullptr;
}

void TableBytes::resize(std::size_t size)
{
    size_ = std::min(size, capacity_);
}

void TableBytes::release(std::size_t offset)
{
    static const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t end = std::min(offset, capacity_) / page * page;
    if (end <= released_)
        return;
    madvise(data_ + released_, end - released_, MADV_DONTNEED);
    released_ = end;
}

} // namespace qs
