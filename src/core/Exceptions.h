// The program's exception base and the errors that portable code raises; failures travel as exceptions.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// A text that is neither a colour identifier nor an integer.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Base of the errors of the network and shell components: a message and, where the platform gave one, a code.
class EWsException : public Exception {
public:
    EWsException(std::string message, int32_t errorCode = 0) : Exception(std::move(message)), FErrorCode(errorCode) {}
    int32_t ErrorCode() const noexcept { return FErrorCode; }

private:
    int32_t FErrorCode;
};
