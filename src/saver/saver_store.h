#pragma once
#include "saver/core/saver_settings.h"

// Under HKEY_CURRENT_USER. Only the screen saver reads and writes here.
inline constexpr char kSaverKey[] = "Software\\Derodazo\\Screen Saver";

// Whatever is missing or damaged reads as its default, without complaint.
SaverSettings LoadSaverSettings();
bool SaveSaverSettings(const SaverSettings& settings);
