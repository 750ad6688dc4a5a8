// Test support: folders and files on the test drive.
#pragma once

#include "TestSupport.h"

#include <windows.h>

#include <initializer_list>
#include <string>

// The test program's own folder on the test drive G:, one per program so
// that programs running side by side never share files.
extern const wchar_t kTestRoot[];

bool MakeFile(const std::wstring& path);
// Makes kTestRoot\name holding empty files of the given names.
std::wstring MakeFolder(const std::wstring& name, std::initializer_list<const wchar_t*> files);
