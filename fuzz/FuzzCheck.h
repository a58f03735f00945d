#pragma once

// What the fuzz targets share: a check that stops the run with a message (the
// input is then saved as a crash by libFuzzer), and a reader of the raw
// input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>

#define FUZZ_CHECK(cond, ...)                                                                      \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n  ", __FILE__, __LINE__, #cond);        \
            std::fprintf(stderr, __VA_ARGS__);                                                     \
            std::fprintf(stderr, "\n");                                                            \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace tallix::fuzz {

// Takes values from the front of the input; past its end every value is 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    std::uint8_t byte() {
        if (rest_.empty()) return 0;
        const std::uint8_t b = rest_.front();
        rest_ = rest_.subspan(1);
        return b;
    }
    // A value of T from its raw bytes (any bit pattern, NaNs included).
    template <class T> T raw() {
        T v{};
        const std::size_t n = rest_.size() < sizeof v ? rest_.size() : sizeof v;
        std::memcpy(&v, rest_.data(), n);
        rest_ = rest_.subspan(n);
        return v;
    }
    std::span<const std::uint8_t> rest() const { return rest_; }
    bool empty() const { return rest_.empty(); }

private:
    std::span<const std::uint8_t> rest_;
};

} // namespace tallix::fuzz
