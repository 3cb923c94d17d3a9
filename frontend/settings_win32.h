// The settings helpers' Windows calls: the profile functions, CreateFileA,
// the program's folder, the user's application-data folder, CreateDirectoryA,
// and a file's identity (GetFileInformationByHandle, GetLongPathNameA).
#pragma once
#include "frontend/settings_file.h"

SettingsPlatform& windowsSettingsPlatform();
