// The failure log's Windows side: the file under %LOCALAPPDATA%\Kestrine and
// the system's texts for what went wrong.
#pragma once
#include <string>

#include "diagnostics/failure_log.h"

// Sends logFailure's reports to the log file from now on.
void startFailureLog();

// The system's text for an error code (GetLastError's), in the ANSI code page.
std::string systemErrorText(unsigned long code);

// Logs what with GetLastError's text as the reason; call it right after the
// failed call, before anything else can change the last error. Gives false,
// so that a failing step can end with "return logLastError(...)".
bool logLastError(const std::string& what);

// A file that was there to be read but could not be used: why it cannot be
// opened, or, when it opens, that its contents are not valid. Gives false.
bool logUnusableFile(const std::string& what, const std::string& path);

// After CreateDirectory failed: logs why, unless a folder of that name is
// there after all (the usual case).
void logFolderNotMade(const std::string& what, const std::string& path);

// The display mode WIDTHxHEIGHTxBITS was refused with result (a DISP_CHANGE_
// code); outcome says what follows.
void logDisplayModeRefused(int width, int height, int bits, long result, const char* outcome = "running in a window");

// The log's folder, %LOCALAPPDATA%\Kestrine, made if missing; empty when the
// system names no such place.
std::wstring diagnosticsFolder();

// The program's own file name (Kestrine.scr, Kestrine.dll) as UTF-8.
std::string programFileName();

LogTime localLogTime();
