// Zel Tidewell — a small desktop news reader.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace platform {

// A failure of a platform operation: a signed 32-bit number and a description.
class Error : public std::exception
{
public:
    Error(std::int32_t number, std::string description)
        : m_number(number)
        , m_description(std::move(description))
    {}

    std::int32_t number() const noexcept { return m_number; }
    const std::string &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_description.c_str(); }

private:
    std::int32_t m_number = 0;
    std::string m_description;
};

// Error numbers the program's own platform objects raise.
inline constexpr std::int32_t kInvalidPropertyValue = 380;
inline constexpr std::int32_t kInvalidArgument = -2147024809; // 0x80070057
inline constexpr std::int32_t kOperationFailed = -2147467259; // 0x80004005

} // namespace platform
