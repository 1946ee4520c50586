#pragma once

// The numbers the game code uses with dialogs, controls and message boxes, with the values
// the classic Windows calls give them, so code and dialog templates written against those
// calls keep working unchanged.

// Command ids: the buttons that end a dialog or a message box.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message box buttons (the low four bits of the flags).
inline constexpr unsigned MB_OK = 0x0000;
inline constexpr unsigned MB_OKCANCEL = 0x0001;
inline constexpr unsigned MB_YESNOCANCEL = 0x0003;
inline constexpr unsigned MB_YESNO = 0x0004;
inline constexpr unsigned MB_TYPEMASK = 0x000F;

// Message box icons (the next four bits); without one the box shows no icon.
inline constexpr unsigned MB_ICONSTOP = 0x0010;
inline constexpr unsigned MB_ICONQUESTION = 0x0020;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
inline constexpr unsigned MB_ICONINFORMATION = 0x0040;
inline constexpr unsigned MB_ICONMASK = 0x00F0;

// Which button Enter presses in a message box: the first unless one of these says otherwise.
inline constexpr unsigned MB_DEFBUTTON1 = 0x0000;
inline constexpr unsigned MB_DEFBUTTON2 = 0x0100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x0200;
inline constexpr unsigned MB_DEFMASK = 0x0F00;

// Check states of check boxes and radio buttons.
inline constexpr unsigned BF_UNCHECKED = 0;
inline constexpr unsigned BF_CHECKED = 1;
inline constexpr unsigned BF_GRAYED = 2;

// Show commands for TControl::ShowWindow.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOW = 5;
