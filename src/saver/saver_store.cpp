#include "saver/saver_store.h"

#include <windows.h>

#include <cstring>

namespace {

// A value is only usable as a DWORD of exactly four bytes; the buffer is larger so a longer one shows.
StoredValue ReadValue(HKEY key, const char* name) {
    DWORD type = 0;
    BYTE buffer[16] = {};
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &type, buffer, &size) != ERROR_SUCCESS) return {false, 0};
    uint32_t number = 0;
    std::memcpy(&number, buffer, sizeof number);
    return {type == REG_DWORD && size == sizeof number, number};
}

} // namespace

SaverSettings LoadSaverSettings() {
    StoredValue stored[kSaverValueCount] = {};
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSaverKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        for (int i = 0; i < kSaverValueCount; ++i)
            stored[i] = ReadValue(key, saverValueNames[i]);
        RegCloseKey(key);
    }
    return SettingsFromStored(stored);
}

bool SaveSaverSettings(const SaverSettings& settings) {
    uint32_t numbers[kSaverValueCount];
    SettingsToStored(settings, numbers);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSaverKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    bool saved = true;
    for (int i = 0; i < kSaverValueCount; ++i) {
        const DWORD number = numbers[i];
        saved = RegSetValueExA(key, saverValueNames[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                               sizeof number) == ERROR_SUCCESS &&
                saved;
    }
    RegCloseKey(key);
    return saved;
}
