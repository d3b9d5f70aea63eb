// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/program_message.h"

#include <optional>
#include <utility>
#include <variant>

namespace zafrano {

// What went wrong, in the program's terms. Callers branch on the kind and show
// the message as it stands.
enum class ErrorKind
{
    NotFound,         // a file or folder that must exist does not
    PermissionDenied, // the folder or file may not be modified
    InvalidData,      // a file or text that does not hold what it should
    Io,               // any other failure to read or write
};

struct Error
{
    ErrorKind kind;
    ProgramMessage message;
    // The number a message shows after "Error ", when the failure has one.
    int number = 0;
};

// A value or the error that prevented it. One error style for the whole core.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<T>(m_state); }
    T &value() & { return std::get<T>(m_state); }
    T &&value() && { return std::get<T>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const Error &error() const { return std::get<Error>(m_state); }

private:
    std::variant<T, Error> m_state;
};

template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error &error() const { return *m_error; }

private:
    std::optional<Error> m_error;
};

using Status = Result<void>;

} // namespace zafrano
