#pragma once

// The program's resources: its icon, its pictures as GIFs, its version and its manifest.
#define IDI_HALMIRA 1
#define IDR_PREVIEW 101
#define IDR_SPECTRUM 102
