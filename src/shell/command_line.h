#pragma once

// Turns the arguments after the program's name into window commands and slash flags, left to right; with
// none, the default scene.
void ProcessCommandLine(int argc, char** argv);
