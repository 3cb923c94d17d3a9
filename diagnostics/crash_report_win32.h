// The crash report both programs leave when an exception reaches the top:
// first whatever the program changed is put back (restore), then a log line
// names the exception and where it struck, then a small minidump goes to
// %LOCALAPPDATA%\Kestrine\crashes (the newest few kept), and the process ends
// with the exception's code.
#pragma once

void installCrashReport(void (*restore)());
