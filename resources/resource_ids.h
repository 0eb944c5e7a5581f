#pragma once
// Resource identifiers of Tallimo.exe, shared by tallimo.rc and the code that loads them.
// Plain #defines: the resource compiler reads this file too.

// The application icon (the first icon group, so the shell shows it for the exe).
#define IDI_TALLIMO 1

// Bitmaps, loaded with LoadImageW (MAKEINTRESOURCEW(id)).
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

// The NFO viewer's tool-bar buttons, 16 x 16, 16 colours, silver background: each picture and
// its greyed look for the disabled button.
#define IDB_NFO_CLOSE 120
#define IDB_NFO_CLOSE_DISABLED 121
#define IDB_NFO_NOTEPAD 122
#define IDB_NFO_NOTEPAD_DISABLED 123
#define IDB_NFO_COPY 124
#define IDB_NFO_COPY_DISABLED 125
#define IDB_NFO_SMALLER 126
#define IDB_NFO_SMALLER_DISABLED 127
#define IDB_NFO_LARGER 128
#define IDB_NFO_LARGER_DISABLED 129
