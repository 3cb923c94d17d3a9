// Text between a code page (the system's ANSI one, Shift-JIS, UTF-8) and the
// UTF-16 that the wide system functions take. Both programs convert through
// these two.
#pragma once
#include <windows.h>

#include <string>

// Empty for empty text or text the code page cannot read.
std::wstring widenCodePage(UINT codePage, const std::string& text);
// With the code page's default characters where it has none of its own;
// flags as WideCharToMultiByte takes them (WC_NO_BEST_FIT_CHARS).
std::string narrowCodePage(UINT codePage, const std::wstring& text, DWORD flags = 0);
