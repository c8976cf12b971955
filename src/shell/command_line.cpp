#include "shell/command_line.h"

#include "common/app_state.h"
#include "common/child_windows.h"
#include "common/ids.h"
#include "shell/core/command_line.h"

namespace {

void SendFrameCommand(WORD id) { SendMessageA(hwndFrame, WM_COMMAND, id, 0); }

void HandleArgument(const char* arg) {
    HWND active = ActiveChild();
    switch (ClassifyArgument(arg)) {
    case ArgumentAction::kNewLines: SendFrameCommand(IDM_NEW_LINES); break;
    case ArgumentAction::kNewBubbles: SendFrameCommand(IDM_NEW_BUBBLES); break;
    case ArgumentAction::kNextWindow:
        if (active) SendMessageA(hwndClient, WM_MDINEXT, reinterpret_cast<WPARAM>(active), 0);
        break;
    case ArgumentAction::kChildFlag:
        if (active) SendMessageA(active, UWM_FLAG, reinterpret_cast<WPARAM>(arg), 0);
        break;
    }
}

} // namespace

void ProcessCommandLine(int argc, char** argv) {
    if (argc <= 1) {
        SendFrameCommand(IDM_NEW_LINES);
        SendFrameCommand(IDM_NEW_BUBBLES);
        if (HWND bubbles = ActiveChild()) {
            for (int i = 0; i < 5; ++i)
                SendMessageA(bubbles, WM_COMMAND, IDM_BUBBLES_MAKE, 0);
        }
        return;
    }
    for (int i = 1; i < argc; ++i)
        HandleArgument(argv[i]);
}
