#pragma once
#include <stdexcept>
#include <string>

// A failure told to the user in one line: the file it concerns and what to
// do about it. The command prints it and ends with a non-zero exit code.
class UserError : public std::runtime_error {
public:
    explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

// A program plumwick runs is not installed: said as it is, whatever was
// being done with it.
class MissingProgram : public UserError {
public:
    using UserError::UserError;
};
