#include "core/errors.h"

#include <cerrno>

namespace zav {

std::string ErrorDescription(int number) {
    switch (number) {
        case kErrInvalidCall: return "Invalid procedure call or argument";
        case kErrOverflow: return "Overflow";
        case kErrSubscript: return "Subscript out of range";
        case kErrTypeMismatch: return "Type mismatch";
        case kErrBadFileName: return "Bad file name or number";
        case kErrFileNotFound: return "File not found";
        case kErrFileAlreadyOpen: return "File already open";
        case kErrDeviceIO: return "Device I/O error";
        case kErrFileExists: return "File already exists";
        case kErrDiskFull: return "Disk full";
        case kErrInputPastEnd: return "Input past end of file";
        case kErrPermissionDenied: return "Permission denied";
        case kErrPathFileAccess: return "Path/File access error";
        case kErrPathNotFound: return "Path not found";
        case kErrDuplicateKey: return "This key is already associated with an element of this collection";
        default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

int ErrorNumberFromErrno(int err) {
    switch (err) {
        case ENOENT: return kErrFileNotFound;
        case ENOTDIR: return kErrPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS: return kErrPermissionDenied;
        case EEXIST: return kErrFileExists;
        case ENOSPC:
        case EDQUOT: return kErrDiskFull;
        case EISDIR:
        case ENAMETOOLONG: return kErrPathFileAccess;
        case EMFILE:
        case ENFILE: return kErrFileAlreadyOpen;
        default: return kErrDeviceIO;
    }
}

RuntimeError FileError(int err) { return RuntimeError(ErrorNumberFromErrno(err)); }

}  // namespace zav
