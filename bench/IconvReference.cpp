#include "IconvReference.h"

#include "BenchSupport.h"

#include <cerrno>
#include <iconv.h>
#include <memory>

namespace krel::bench {
namespace {

const auto kNoConverter = reinterpret_cast<iconv_t>(-1);

iconv_t converterOf(void* handle) {
    return static_cast<iconv_t>(handle);
}

} // namespace

IconvReference::IconvReference(const char* from, const char* to, size_t inputUnit,
                               size_t outputPerInputByte)
    : converter_(iconv_open(to, from)), inputUnit_(inputUnit),
      outputPerInputByte_(outputPerInputByte) {}

IconvReference::~IconvReference() {
    if (converterOf(converter_) != kNoConverter)
        iconv_close(converterOf(converter_));
}

// The output buffer is allocated and left untouched, so its pages are first written by iconv.
void IconvReference::convert(std::string_view input) const {
    size_t capacity = input.size() * outputPerInputByte_ + 16;
    std::unique_ptr<char[]> output(new char[capacity]);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* out = output.get();
    size_t outLeft = capacity;
    iconv(converterOf(converter_), nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(converterOf(converter_), &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1))
            break;
        if (errno != EILSEQ || inLeft < inputUnit_)
            break;
        in += inputUnit_;
        inLeft -= inputUnit_;
    }
}

std::optional<double>
IconvReference::Milliseconds(const std::vector<std::string_view>& inputs) const {
    if (converterOf(converter_) == kNoConverter)
        return std::nullopt;
    return CpuMillisecondsOf([&] {
        for (std::string_view input : inputs)
            convert(input);
    });
}

IconvReference DecodeReference() {
    return IconvReference("UTF-16LE", "WINDOWS-1252", 2, 1);
}

IconvReference EncodeReference() {
    return IconvReference("WINDOWS-1252", "UTF-16LE", 1, 2);
}

} // namespace krel::bench
