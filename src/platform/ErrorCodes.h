#pragma once
// The system's status codes (winerror.h) that our platform interfaces answer with.

namespace tw {

inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorNoMoreFiles = 18;
inline constexpr long kErrorHandleDiskFull = 39;
inline constexpr long kErrorFileExists = 80;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorDiskFull = 112;
inline constexpr long kErrorInvalidName = 123;
inline constexpr long kErrorAlreadyExists = 183;
inline constexpr long kErrorMoreData = 234;
inline constexpr long kErrorTimeout = 258;  // WAIT_TIMEOUT
inline constexpr long kErrorNoMoreItems = 259;

}  // namespace tw
