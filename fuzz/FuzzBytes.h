#pragma once
// Reads a fuzzer's bytes as a stream of small decisions and reals. Past the
// end every read gives zero, so any input, however short, makes a whole case.

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace corvellan::fuzz {

class FuzzBytes {
  public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    // Four bytes as they lie: any bit pattern, NaNs and infinities included.
    float raw() {
        std::uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits |= static_cast<std::uint32_t>(byte()) << (8 * i);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // A value for a quantity whose sound setting is `usual`: one byte chooses
    // to keep it, take raw bytes, scale it, or take one of the values that
    // break arithmetic.
    float wild(float usual) {
        static const float kNasty[] = {0.0f,
                                       -0.0f,
                                       1e-30f,
                                       -1e-30f,
                                       1e30f,
                                       -1e30f,
                                       FLT_MAX,
                                       -FLT_MAX,
                                       FLT_MIN / 4, // subnormal
                                       0.00001f,
                                       -0.00001f,
                                       std::numeric_limits<float>::infinity(),
                                       -std::numeric_limits<float>::infinity(),
                                       std::numeric_limits<float>::quiet_NaN(),
                                       1.0f,
                                       -1.0f};
        const std::uint8_t choice = byte();
        switch (choice % 4) {
        case 0:
            return usual;
        case 1:
            return raw();
        case 2:
            // Between -8 and +8 times the usual value, in steps of 1/16.
            return usual * (static_cast<float>(static_cast<std::int8_t>(byte())) / 16.0f);
        default:
            return kNasty[(choice / 4) % (sizeof kNasty / sizeof kNasty[0])];
        }
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

} // namespace corvellan::fuzz
