#include "framework/Strings.h"
#include "framework/App.h"
#include "res/builtin_texts.h"

#include <cwchar>
#include <cwctype>

std::wstring LoadResString(UINT id)
{
    // With a zero buffer size LoadStringW answers a pointer into the
    // module's read-only string table, so no length limit applies.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) {
        const wchar_t* builtIn = BuiltInText(id);
        return builtIn ? std::wstring(builtIn) : std::wstring();
    }
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring GetWindowTextString(HWND hWnd)
{
    int length = ::GetWindowTextLengthW(hWnd);
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void CopyToBuffer(wchar_t* buffer, size_t cchBuffer, const wchar_t* text)
{
    if (!buffer || cchBuffer == 0) return;
    size_t i = 0;
    if (text) {
        for (; i + 1 < cchBuffer && text[i]; ++i) buffer[i] = text[i];
    }
    buffer[i] = L'\0';
}

std::wstring SystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring result = length && text ? std::wstring(text, length) : std::wstring();
    if (text) ::LocalFree(text);
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r'))
        result.pop_back();
    return result;
}

namespace {
bool IsIntConversion(wchar_t c)
{
    return c == L'd' || c == L'i' || c == L'u';
}
}

std::wstring FormatIntText(const std::wstring& format, int value)
{
    std::wstring result;
    bool used = false;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != L'%') {
            result += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            result += L'%';
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < format.size() && (std::wcschr(L"-+ 0#", format[end]) || iswdigit(format[end])))
            ++end;
        // A short width at most, so that the number always fits its buffer.
        const size_t kMaxFlagsAndWidth = 3;
        if (used || end >= format.size() || !IsIntConversion(format[end]) ||
            end - i - 1 > kMaxFlagsAndWidth) {
            result += format[i];
            continue;
        }
        std::wstring conversion = format.substr(i, end - i) + L'd';
        // Room for the widest field three characters allow ("%999d").
        wchar_t number[1024] = {};
        int length = std::swprintf(number, 1024, conversion.c_str(), value);
        if (length > 0) result.append(number, static_cast<size_t>(length));
        used = true;
        i = end;
    }
    return result;
}

std::wstring FormatStringText(const std::wstring& format, const std::wstring& value)
{
    std::wstring result;
    bool used = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const wchar_t next = i + 1 < format.size() ? format[i + 1] : L'\0';
        if (format[i] == L'%' && (next == L'%' || (next == L's' && !used))) {
            result += next == L'%' ? std::wstring(1, L'%') : value;
            used = used || next == L's';
            ++i;
            continue;
        }
        result += format[i];
    }
    return result;
}
