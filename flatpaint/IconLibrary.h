#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the program, drawn by the program itself so that its look does not depend on
// the desktop's theme. A picture is known by its number; numbers that stand for the same thing
// share a picture.
namespace tavik::icons {

// Pictures of records and windows.
inline constexpr int kDocumentWindow = 0;  // a document window
inline constexpr int kProgram = 1;         // the program (frame and taskbar)
inline constexpr int kDelete = 5;          // removing a node
inline constexpr int kPerson = 9;          // an agent; a board member
inline constexpr int kTextFile = 13;       // an imported text file
inline constexpr int kPolicy = 22;         // a liability policy
inline constexpr int kAgent = 31;          // an agent entered on its page
inline constexpr int kEmployee = 32;       // an employee
inline constexpr int kPowerOfAttorney = 38;
inline constexpr int kApplication = 53;

// Pictures of the frame's commands.
inline constexpr int kNewDocument = 60;
inline constexpr int kOpen = 61;
inline constexpr int kSave = 62;
inline constexpr int kCascade = 63;
inline constexpr int kTile = 64;
inline constexpr int kArrange = 65;
inline constexpr int kConfiguration = 66;
inline constexpr int kSplit = 67;
inline constexpr int kImport = 68;
inline constexpr int kExport = 69;
inline constexpr int kNewApplication = 70;
inline constexpr int kNewAgent = 71;
inline constexpr int kNewBoardMember = 72;
inline constexpr int kNewEmployee = 73;
inline constexpr int kNewPolicy = 74;
inline constexpr int kNewPowerOfAttorney = 75;
inline constexpr int kClose = 76;
inline constexpr int kHelp = 77;
inline constexpr int kFolder = 78;    // choosing a folder
inline constexpr int kCalendar = 79;  // a date button
inline constexpr int kAbout = 80;     // the About box
inline constexpr int kPrint = 81;
inline constexpr int kSearch = 82;
inline constexpr int kWarning = 83;        // a warning of a record
inline constexpr int kError = 84;          // a refusal of a record
inline constexpr int kCheckDocument = 85;  // checking a whole document
// Added to a number: its picture with a small warning mark in the lower right corner.
inline constexpr int kWarningMarked = 1 << 16;

// The picture of a number at 16, 24 and 32 pixels; an unknown number gives a null icon.
QIcon icon(int number);
QPixmap pixmap(int number, int size = 16);

}  // namespace tavik::icons
