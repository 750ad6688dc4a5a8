#include "framework/VersionInfo.h"

#include <cstring>

namespace {
// The record starts with three 16-bit fields and the key "VS_VERSION_INFO"
// (16 wide characters with its terminator); the fixed part follows on the
// next 32-bit boundary.
const size_t kFixedInfoOffset = 40;
}

std::wstring FixedFileVersionText(const void* data, size_t size)
{
    if (!data || size < kFixedInfoOffset + sizeof(VS_FIXEDFILEINFO)) return std::wstring();
    const BYTE* bytes = static_cast<const BYTE*>(data);
    WORD valueLength = 0;
    std::memcpy(&valueLength, bytes + sizeof(WORD), sizeof(valueLength));
    VS_FIXEDFILEINFO info = {};
    std::memcpy(&info, bytes + kFixedInfoOffset, sizeof(info));
    if (valueLength < sizeof(info) || info.dwSignature != VS_FFI_SIGNATURE) return std::wstring();

    std::wstring text = std::to_wstring(HIWORD(info.dwFileVersionMS)) + L"." +
                        std::to_wstring(LOWORD(info.dwFileVersionMS)) + L"." +
                        std::to_wstring(HIWORD(info.dwFileVersionLS));
    if (LOWORD(info.dwFileVersionLS)) text += L"." + std::to_wstring(LOWORD(info.dwFileVersionLS));
    return text;
}

std::wstring ModuleVersionText(HMODULE hModule)
{
    HRSRC hInfo = ::FindResourceW(hModule, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!hInfo) return std::wstring();
    HGLOBAL hData = ::LoadResource(hModule, hInfo);
    return FixedFileVersionText(hData ? ::LockResource(hData) : nullptr, ::SizeofResource(hModule, hInfo));
}
