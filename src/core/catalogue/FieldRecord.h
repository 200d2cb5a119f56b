#pragma once

#include "core/catalogue/FieldNames.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qs {

// A product's fields in one compact block: for each field present, its number
// and length as variable-length integers, then its bytes; fields in ascending
// number, each at most once, none empty. An absent field and an empty one are
// the same, so empty fields cost nothing. Changing a field rebuilds the block;
// products are read far more often than they are edited.
class FieldRecord {
public:
    FieldRecord() = default;
    FieldRecord(const FieldRecord& other);
    FieldRecord& operator=(const FieldRecord& other);
    // A record moved from is left empty, ready for use again.
    FieldRecord(FieldRecord&& other) noexcept
        : data_(std::move(other.data_)), size_(std::exchange(other.size_, 0))
    {
    }
    FieldRecord& operator=(FieldRecord&& other) noexcept
    {
        data_ = std::move(other.data_);
        size_ = std::exchange(other.size_, 0);
        return *this;
    }

    std::string_view get(FieldId id) const;
    void set(FieldId id, std::string_view value);
    bool empty() const { return size_ == 0; }

    // Calls f(id, value) for every field, in ascending number.
    template <typename F> void forEach(F&& f) const
    {
        const char* p = data_.get();
        const char* end = p + size_;
        while (p < end) {
            const FieldId id = static_cast<FieldId>(readNumber(p));
            const std::size_t length = readNumber(p);
            f(id, std::string_view(p, length));
            p += length;
        }
    }

    // Builds a record from fields given in strictly ascending number, the
    // values staying valid until finish(). One builder can build many records
    // in turn; each is written once, straight into its own block.
    class Builder {
    public:
        // Room for the standard fields from the start, which a line of the
        // catalogue file gives at most.
        Builder() { fields_.reserve(FieldNames::StandardCount); }

        void add(FieldId id, std::string_view value)
        {
            if (!value.empty())
                fields_.emplace_back(id, value);
        }
        FieldRecord finish();

    private:
        std::vector<std::pair<FieldId, std::string_view>> fields_;
    };

private:
    static std::size_t readNumber(const char*& p)
    {
        std::size_t value = 0;
        int shift = 0;
        for (;;) {
            const auto byte = static_cast<unsigned char>(*p++);
            value |= static_cast<std::size_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return value;
            shift += 7;
        }
    }
    static void appendField(std::string& out, FieldId id, std::string_view value);
    void assign(std::string_view bytes);

    std::unique_ptr<char[]> data_;
    std::uint32_t size_ = 0;
};

} // namespace qs
