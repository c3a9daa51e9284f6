#pragma once

#include <exception>
#include <string>

namespace tavik {

// The base of every failure the core raises. The message is UTF-8 and Polish; wrappers that
// add context (a line number, the record type) prepend to it and raise the same object again.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    ~Exception() override;

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }
    void setMessage(std::string message) { message_ = std::move(message); }
    void prependMessage(const std::string& prefix) { message_.insert(0, prefix); }

private:
    std::string message_;
};

// A checksum mismatch in a dictionary or a response file.
class ECRC32Err : public Exception {
public:
    using Exception::Exception;
    ~ECRC32Err() override;
};

// A failed field or record check, with the check's result code.
class WalidationErr : public Exception {
public:
    WalidationErr(int code, std::string message) : Exception(std::move(message)), code_(code) {}
    ~WalidationErr() override;
    int code() const noexcept { return code_; }

private:
    int code_;
};

}  // namespace tavik
