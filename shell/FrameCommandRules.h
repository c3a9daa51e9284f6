#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// When the frame's commands are enabled. The rules know nothing of widgets: they turn what the
// library reports (a window message, its child count, the class of its active child) into
// switches, and the frame applies the switches to its actions.
namespace tavik::frame {

// What a rule does to one command.
enum class Switch : std::uint8_t { Keep, On, Off };

// Every command a rule can touch; a rule leaves `Keep` on what it does not speak of.
struct CommandSwitches {
    Switch AddWniosek = Switch::Keep;
    Switch AddAgent = Switch::Keep;
    Switch AddZarzad = Switch::Keep;
    Switch AddPracownik = Switch::Keep;
    Switch AddPolisa = Switch::Keep;
    Switch AddPelnomoc = Switch::Keep;
    Switch Print = Switch::Keep;
    Switch acWnioski = Switch::Keep;
    Switch SaveFile = Switch::Keep;
    Switch SaveAs = Switch::Keep;
    Switch Import = Switch::Keep;
    Switch Export = Switch::Keep;
    Switch Senvik = Switch::Keep;
    Switch Close = Switch::Keep;
    Switch Search = Switch::Keep;
    Switch CheckDocument = Switch::Keep;
    // The views that only make sense with a document open: the "&Edycja" and "&Okno" menus and
    // the record toolbar.
    Switch documentViews = Switch::Keep;

    bool operator==(const CommandSwitches&) const = default;
};

// The class names of the library's two kinds of document window.
inline constexpr std::string_view kApplicationWindow = "TfrmData";
inline constexpr std::string_view kResponseWindow = "TfrmOdpowiedz";

// "ZMIANA WEZLA": the node selected in an application window. `nodeKind` is 0 for the root,
// 1 application, 2 agent, 3 board member, 4 employee, 5 power of attorney, 6 policy; any other
// value changes nothing. `agentShown` is 1 when an application with an agent is shown, 0 when
// not; another value leaves the commands that depend on it as they are.
CommandSwitches nodeChanged(std::int64_t nodeKind, std::int64_t agentShown);

// "WNIOSKI": the number of applications in the active document.
CommandSwitches applicationCount(std::int64_t count);

// The update handlers the frame runs when it is idle, given the library's count of document
// windows and the class of its active one ("" for none).
CommandSwitches idleUpdate(int childCount, std::string_view activeClass);

// The program that sends and receives the files, found by the system's search for programs.
inline constexpr std::string_view kTransferProgram = "senvik";

// Its arguments for the "Transmisja" mode and the file (the active window's caption): 0 sends
// the file, 1 receives, 2 transfers it (the file in double quotes). Any other mode transfers,
// as the setting's default does. The file stays one argument, blanks and all.
std::vector<std::string> transferArguments(int mode, const std::string& file);

// Automatic saving: the timer's interval in milliseconds for "Autozapis" minutes. 0 switches the
// timer off (nothing at all, or a negative number, would otherwise fire without pause); a number
// of minutes past what a timer can hold is held at the longest interval.
int autoSaveInterval(int minutes);

// Whether a tick of the timer saves: only an application window can be saved, and only one
// whose document changed or holds edits not yet accepted (an unchanged unnamed window would
// ask for a name at every tick).
bool autoSaveDue(int childCount, std::string_view activeClass, bool activeModified);

}  // namespace tavik::frame
