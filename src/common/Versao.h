#pragma once

// The program's version. The database records the version of the program that last opened
// it, and the main window brings the record up to this one at start.
inline constexpr char versaoPrograma[] = "1.1.4-24112006";
