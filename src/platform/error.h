// The error a platform operation fails with, and the table of the program's error numbers.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace platform {

// One kind of failure: its number, and the description it is raised with.
struct ErrorKind
{
    std::int32_t number;
    const char *description;
};

// Every error number the program's own platform objects raise.
inline constexpr ErrorKind kInvalidProcedureCall{5, "Invalid procedure call or argument"};
inline constexpr ErrorKind kOverflow{6, "Overflow"};
inline constexpr ErrorKind kTypeMismatch{13, "Type mismatch"};
inline constexpr ErrorKind kBadFileName{52, "Bad file name or number"};
inline constexpr ErrorKind kFileNotFound{53, "File not found"};
inline constexpr ErrorKind kPathFileAccess{75, "Path/File access error"};
inline constexpr ErrorKind kInvalidPropertyValue{380, "Invalid property value"};
inline constexpr ErrorKind kCannotSizeWindow{
    384, "A form can't be moved or sized while minimized or maximized"};
// The file dialog's cancel.
inline constexpr ErrorKind kCancel{32755, "Cancel was selected."};
// The web view's refusals (0x80070057, 0x80004005); their descriptions say what was refused.
inline constexpr ErrorKind kInvalidArgument{-2147024809, "The parameter is incorrect"};
inline constexpr ErrorKind kOperationFailed{-2147467259, "Unspecified error"};

// A failure of a platform operation: a signed 32-bit number and a description.
class Error : public std::exception
{
public:
    Error(std::int32_t number, std::string description)
        : m_number(number)
        , m_description(std::move(description))
    {}
    explicit Error(const ErrorKind &kind)
        : Error(kind.number, kind.description)
    {}
    // Of that kind, with a description of its own.
    Error(const ErrorKind &kind, std::string description)
        : Error(kind.number, std::move(description))
    {}

    std::int32_t number() const noexcept { return m_number; }
    const std::string &description() const noexcept { return m_description; }
    const char *what() const noexcept override { return m_description.c_str(); }

private:
    std::int32_t m_number = 0;
    std::string m_description;
};

} // namespace platform
