// The operating system's part of the folder store: syncing to the disk and the system's errors.
#pragma once

#include "platform/text_store.h"

#include <string>

namespace platform::os {

// Forces an open file's data to the disk; 0 or the system's error code.
int syncFile(int handle);
// Forces the folder's entries (renames, removals) to the disk; 0 or the system's error code.
// The path is in the file system's own encoding.
int syncFolder(const std::string& folder);

// The error code the last failed system call left, and a way to clear it before a call.
int lastError();
void clearLastError();

StoreFailure failureKind(int code);
std::string errorText(int code);

} // namespace platform::os
