// The settings helpers' Windows calls: the profile functions, CreateFileA and
// the program's folder.
#pragma once
#include "frontend/settings.h"

SettingsPlatform& WindowsSettingsPlatform();
