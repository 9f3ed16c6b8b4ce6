// Run-time errors: an error number of the host platform and its description.
#pragma once

#include <stdexcept>
#include <string>

namespace zav {

// Error numbers the system raises and reports (same numbers as the host platform's).
enum ErrorNumber : int {
    kErrInvalidCall = 5,
    kErrOverflow = 6,
    kErrSubscript = 9,
    kErrTypeMismatch = 13,
    kErrBadFileName = 52,
    kErrFileNotFound = 53,
    kErrFileAlreadyOpen = 55,
    kErrDeviceIO = 57,
    kErrFileExists = 58,
    kErrDiskFull = 61,
    kErrInputPastEnd = 62,
    kErrPermissionDenied = 70,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrDuplicateKey = 457,
};

// The platform's description of an error number ("Overflow", "File not found" ...);
// "Application-defined or object-defined error" for numbers it does not know.
std::string ErrorDescription(int number);

// A run-time error. Drivers catch it and report Description() as the system says.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, const std::string& description);

    int Number() const { return number_; }
    const std::string& Description() const { return description_; }

private:
    int number_;
    std::string description_;
};

// Maps a C errno value from a file operation to the platform's error number.
int ErrorNumberFromErrno(int err);

// The run-time error for a failed file operation (errno `err`), with the platform's plain description.
RuntimeError FileError(int err);

}  // namespace zav
