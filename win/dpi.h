#pragma once

#include <windows.h>

// Twips become device pixels at the window's DPI here, and nowhere else: 1440 twips an inch.
double devicePixelsPerTwip(UINT dpi);
int devicePixels(double twips, UINT dpi);

// The DPI of the monitor the window is on; the system's where Windows cannot say (before
// Windows 10's per-monitor awareness).
UINT windowDpi(HWND window);

// The window rectangle around a client area, at a DPI.
RECT frameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi);
