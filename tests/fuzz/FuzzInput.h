// Reads typed values from a fuzz input, front to back; past its end every value is 0, so any
// input decodes to some case. Numbers lean to small ones near the pictures but reach the ends
// of their range now and then, where the arithmetic overflows if it is going to.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tovrin::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::uint16_t U16() { return std::uint16_t(Byte() | Byte() << 8); }
    std::uint32_t U32() { return std::uint32_t(U16()) | std::uint32_t(U16()) << 16; }
    bool Flag() { return Byte() & 1; }
    // low..high, both included (high - low below 256).
    int Small(int low, int high) { return low + Byte() % (high - low + 1); }

    // A coordinate: mostly near 0..span, sometimes one of the edges of the 32-bit range.
    std::int32_t Coordinate(int span) {
        const std::uint8_t kind = Byte();
        if (kind < 224)
            return std::int32_t(kind % (span + 17)) - 8;
        static constexpr std::int32_t kEdges[] = {INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1, INT32_MAX - 10,
                                                  -32768, 32767, 65535, 1 << 30, -(1 << 30)};
        if (kind < 240)
            return kEdges[kind % (sizeof kEdges / sizeof kEdges[0])];
        return std::int32_t(U32());
    }
    // A 16-bit skin field: mostly small, sometimes anything.
    std::int16_t Field16(int smallSpan) {
        const std::uint8_t kind = Byte();
        if (kind < 232)
            return std::int16_t(int(kind % (smallSpan + 3)) - 2);
        return std::int16_t(U16());
    }

    std::span<const std::uint8_t> Rest() {
        const std::span<const std::uint8_t> rest(data_ + pos_, size_ - pos_);
        pos_ = size_;
        return rest;
    }
    bool AtEnd() const { return pos_ >= size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

} // namespace tovrin::fuzz
