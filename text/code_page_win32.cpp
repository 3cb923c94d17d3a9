#include "text/code_page_win32.h"

std::wstring widenCodePage(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string narrowCodePage(UINT codePage, const std::wstring& text, DWORD flags) {
    if (text.empty()) return std::string();
    const int n =
        WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring widenUtf8(const std::string& text) { return widenCodePage(CP_UTF8, text); }

std::string narrowUtf8(const std::wstring& text) { return narrowCodePage(CP_UTF8, text); }

std::wstring widenAnsi(const std::string& text) { return widenCodePage(CP_ACP, text); }

std::string narrowAnsi(const std::wstring& text, DWORD flags) { return narrowCodePage(CP_ACP, text, flags); }
