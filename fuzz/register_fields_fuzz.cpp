// The register dialog's number fields over any text, against the C library's own strtoul read
// with a 32-bit unsigned long; and the grid over any bytes.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "device/hex_field.h"
#include "device/register_fields.h"
#include "device/register_grid.h"
#include "fuzz/fuzz_support.h"

namespace {

bool IsCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// strtoul(text, nullptr, 16) as a 32-bit unsigned long gives it: the host's 64-bit reading,
// with anything beyond 32 bits of magnitude saturated and a minus sign applied modulo 2^32.
std::uint32_t ReferenceStrtoul32(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && IsCSpace(text[start])) {
        ++start;
    }
    const bool negative = start < text.size() && text[start] == '-';
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 16);
    if (errno == ERANGE) {
        return 0xFFFFFFFFu;
    }
    const unsigned long long magnitude = negative ? 0ULL - value : value;
    if (magnitude > 0xFFFFFFFFULL) {
        return 0xFFFFFFFFu;
    }
    const auto low = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - low : low;
}

template <typename Field>
void CheckField(const std::optional<Field>& field, std::string_view text, std::uint32_t value,
                std::uint32_t limit) {
    using fuzzsupport::Require;
    if (text.empty() || value > limit) {
        Require(!field.has_value(), "a field took a value it must refuse");
        return;
    }
    if (field.has_value()) {
        Require(*field == value, "a field took a value other than its text's");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A control's text ends at its first zero byte.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string field = text.substr(0, text.find('\0'));

    const std::uint32_t value = device::ParseHexUnsignedLong(field);
    fuzzsupport::Require(value == ReferenceStrtoul32(field), "the read differs from strtoul's");

    CheckField(device::RegisterAddressField(field), field, value, 0xFFFF);
    CheckField(device::RegisterValueField(field), field, value, 0xFF);
    const std::optional<std::uint16_t> length = device::RegisterLengthField(field);
    CheckField(length, field, value, 0xFFFF);
    if (length == 0) {
        fuzzsupport::Require(field == "0", "a length of 0 from a text other than \"0\"");
    }

    const std::string grid = device::RegisterGridText(std::span(data, size));
    fuzzsupport::Require(grid.size() == device::kGridTextLength, "the grid's length is wrong");
    return 0;
}
