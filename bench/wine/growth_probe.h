#pragma once
#include <windows.h>

// For scripts/growth.sh: prints the process's figures now and once a minute, and after `minutes` minutes
// closes `window` with WM_CLOSE. Each line reads
//   minute N rss_kb R private_kb P handles H gdi G gui_gdi U windows W pens ... other O
// rss_kb is GetProcessMemoryInfo's working set (under Wine the process's VmRSS). private_kb sums the
// committed private regions that VirtualQuery reports, which is what Windows counts as PrivateUsage (Wine
// leaves that 0); what Wine's own Unix side allocates, such as bitmap bits, shows in rss_kb only. handles
// counts this process's entries in NtQuerySystemInformation's handle list (Wine's GetProcessHandleCount
// answers 0). gdi counts the live GDI objects, by kind after the window count; gui_gdi is GetGuiResources'
// count, 0 under Wine. With GROWTH_LEAK set in the environment it also leaks a pen, an event and 64 KB every
// second: the control that shows each figure can see a leak.
void StartGrowthProbe(int minutes, HWND window);
