// The version a module carries in its version resource, read from the
// loaded module itself (no file is opened and no version library loaded).
#pragma once

#include <windows.h>
#include <string>

// The file version of the resource's bytes, "1.1.0" or with a fourth part
// when that is not 0; empty when the bytes hold no fixed version record.
std::wstring FixedFileVersionText(const void* data, size_t size);

// The file version of a loaded module; empty when it carries none.
std::wstring ModuleVersionText(HMODULE hModule);
