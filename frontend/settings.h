// Loading the settings at start-up from the file settings_location.h chooses,
// through the settings file's primitives.
#pragma once
#include "frontend/settings_file.h"

void LoadSettings();
