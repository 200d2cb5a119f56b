#include "core/catalogue/FieldRecord.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace qs {

FieldRecord::FieldRecord(const FieldRecord& other)
{
    assign(std::string_view(other.data_.get(), other.size_));
}

FieldRecord& FieldRecord::operator=(const FieldRecord& other)
{
    if (this != &other)
        assign(std::string_view(other.data_.get(), other.size_));
    return *this;
}

void FieldRecord::assign(std::string_view bytes)
{
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("A product's fields are too large");
    if (bytes.empty()) {
        data_.reset();
    } else {
        data_ = std::make_unique_for_overwrite<char[]>(bytes.size());
        std::memcpy(data_.get(), bytes.data(), bytes.size());
    }
    size_ = static_cast<std::uint32_t>(bytes.size());
}

namespace {

std::size_t numberLength(std::size_t value)
{
    std::size_t length = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++length;
    }
    return length;
}

char* encodeNumber(char* out, std::size_t value)
{
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

} // namespace

void FieldRecord::appendField(std::string& out, FieldId id, std::string_view value)
{
    char header[2 * 10]; // two numbers of at most 64 bits, 7 bits a byte
    const char* end = encodeNumber(encodeNumber(header, id), value.size());
    out.append(header, static_cast<std::size_t>(end - header)).append(value);
}

std::string_view FieldRecord::get(FieldId wanted) const
{
    const char* p = data_.get();
    const char* end = p + size_;
    while (p < end) {
        const auto id = static_cast<FieldId>(readNumber(p));
        const std::size_t length = readNumber(p);
        if (id == wanted)
            return std::string_view(p, length);
        if (id > wanted)
            break;
        p += length;
    }
    return {};
}

void FieldRecord::set(FieldId id, std::string_view value)
{
    std::string bytes;
    bytes.reserve(size_ + value.size() + 8);
    bool placed = false;
    forEach([&](FieldId existing, std::string_view existingValue) {
        if (!placed && existing >= id) {
            placed = true;
            if (!value.empty())
                appendField(bytes, id, value);
            if (existing == id)
                return;
        }
        appendField(bytes, existing, existingValue);
    });
    if (!placed && !value.empty())
        appendField(bytes, id, value);
    assign(bytes);
}

FieldRecord FieldRecord::Builder::finish()
{
    std::size_t size = 0;
    for (const auto& [id, value] : fields_)
        size += numberLength(id) + numberLength(value.size()) + value.size();
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("A product's fields are too large");
    FieldRecord record;
    if (size > 0) {
        record.data_ = std::make_unique_for_overwrite<char[]>(size);
        char* out = record.data_.get();
        for (const auto& [id, value] : fields_) {
            out = encodeNumber(encodeNumber(out, id), value.size());
            std::memcpy(out, value.data(), value.size());
            out += value.size();
        }
        record.size_ = static_cast<std::uint32_t>(size);
    }
    fields_.clear();
    return record;
}

} // namespace qs
