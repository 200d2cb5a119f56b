#include "catalogue/FieldRecord.h"

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

void FieldRecord::appendNumber(std::string& out, std::size_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void FieldRecord::appendField(std::string& out, FieldId id, std::string_view value)
{
    appendNumber(out, id);
    appendNumber(out, value.size());
    out.append(value);
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

void FieldRecord::Builder::add(FieldId id, std::string_view value)
{
    if (!value.empty())
        appendField(bytes_, id, value);
}

FieldRecord FieldRecord::Builder::finish()
{
    FieldRecord record;
    record.assign(bytes_);
    bytes_.clear();
    return record;
}

} // namespace qs
