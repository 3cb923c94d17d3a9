// Shows the settings dialog Solvane_P.
#pragma once

// Loads the dialog, shows it modally with no owner and returns when it has
// closed (confirmed, cancelled or closed by its close box).
void showSettingsDialog();
