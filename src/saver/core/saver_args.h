#pragma once
#include <cstdint>

enum class SaverMode { kSettings, kFullScreen, kPreview, kPassword, kInvalid };

// What the command line asks for, with the window handle that came with it (0 when none did).
struct SaverCommand {
    SaverMode mode;
    uint64_t window;
};

// The arguments after the program's name. Windows writes a mode letter after / or - in either case,
// and a decimal window handle either after a colon or as the next argument: "/p 1234", "/P:1234".
// No argument at all opens the settings; /p needs a window; anything unknown or left over is invalid.
SaverCommand ParseSaverCommand(int argc, const char* const* argv);
