// Text between a code page (the system's ANSI one, Shift-JIS, UTF-8) and the
// UTF-16 that the wide system functions take. Both programs convert through
// these.
#pragma once
#include <windows.h>

#include <string>

// Empty for empty text or text the code page cannot read.
std::wstring widenCodePage(UINT codePage, const std::string& text);
// With the code page's default characters where it has none of its own;
// flags as WideCharToMultiByte takes them (WC_NO_BEST_FIT_CHARS).
std::string narrowCodePage(UINT codePage, const std::wstring& text, DWORD flags = 0);

// The two code pages most text is in: UTF-8 (captions, the log, the crash
// reports' names) and the system's ANSI one (paths, settings, music names).
std::wstring widenUtf8(const std::string& text);
std::string narrowUtf8(const std::wstring& text);
std::wstring widenAnsi(const std::string& text);
std::string narrowAnsi(const std::wstring& text, DWORD flags = 0);
