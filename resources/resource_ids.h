#pragma once
// Resource identifiers of Tallimo.exe, shared by tallimo.rc and the code that loads them.
// Plain #defines: the resource compiler reads this file too.

// The application icon (the first icon group, so the shell shows it for the exe).
#define IDI_TALLIMO 1

// Bitmaps, loaded with LoadBitmapA / LoadImageA (MAKEINTRESOURCEA(id)).
#define IDB_LOGO 101    // 34 x 34, 16 colours: Image1 and the About box
#define IDB_BANNER 102  // 500 x 25, 256 colours: Image2, stretched
#define IDB_CHECK 103   // 16 x 16 green check mark: the Drive dialog's OK button

// Drive kinds for the Drive dialog's list, 16 x 16, 16 colours.
// The check mark and the drive pictures have a silver (192, 192, 192) background: load them
// with LR_LOADMAP3DCOLORS to get the button face, or use silver as the colour key (its
// bottom-left pixel) when drawing them masked.
#define IDB_DRIVE_REMOVABLE 110
#define IDB_DRIVE_FIXED 111
#define IDB_DRIVE_NETWORK 112
#define IDB_DRIVE_CDROM 113
#define IDB_DRIVE_RAM 114
