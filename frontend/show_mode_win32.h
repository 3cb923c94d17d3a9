// Loads the hidden saver form Solvane_S; its handlers then run show mode
// until the renderer's window has gone and the program ends.
#pragma once
#include <string>

void loadShowForm(const std::string& commandLine);
