// The staging steps' file operations on Windows.
#pragma once
#include "frontend/staging.h"

StagingFiles& windowsStagingFiles();
