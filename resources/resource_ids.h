#pragma once

// Resource identifiers shared by tarvin.rc and the program. Plain macros:
// the resource compiler reads this file too.

// The program's icon, for the executable and the window. The lowest icon
// identifier, so that Explorer shows it for the file.
#define IDI_TARVIN 1
