#include "shell/FrameCommandRules.h"

#include <limits>

namespace tavik::frame {

namespace {

constexpr Switch on = Switch::On;
constexpr Switch off = Switch::Off;

Switch when(bool condition) {
    return condition ? on : off;
}

// 1 on, 0 off, anything else unchanged.
Switch byFlag(std::int64_t flag) {
    if (flag == 1) return on;
    if (flag == 0) return off;
    return Switch::Keep;
}

}  // namespace

CommandSwitches nodeChanged(std::int64_t nodeKind, std::int64_t agentShown) {
    CommandSwitches s;
    switch (nodeKind) {
        case 0:
            s.AddWniosek = on;
            s.AddAgent = s.AddZarzad = s.AddPracownik = s.AddPolisa = s.AddPelnomoc = off;
            break;
        case 1:
            s.AddWniosek = s.Print = byFlag(agentShown);
            s.AddZarzad = s.AddPracownik = s.AddPolisa = s.AddPelnomoc = off;
            break;
        case 2:
            s.AddWniosek = on;
            s.AddAgent = s.AddZarzad = s.AddPracownik = s.AddPolisa = s.AddPelnomoc = off;
            s.Print = off;
            break;
        case 3:
        case 4:
        case 5:
        case 6:
            // A record below the agent: only its own kind can be added.
            s.AddAgent = s.AddZarzad = s.AddPracownik = s.AddPolisa = s.AddPelnomoc = off;
            s.Print = off;
            if (nodeKind == 3) s.AddZarzad = on;
            if (nodeKind == 4) s.AddPracownik = on;
            if (nodeKind == 5) s.AddPelnomoc = on;
            if (nodeKind == 6) s.AddPolisa = on;
            break;
        default: break;
    }
    return s;
}

CommandSwitches applicationCount(std::int64_t count) {
    CommandSwitches s;
    if (count < 2) {
        s.acWnioski = off;
    } else {
        // A file holds one application: more can only be split, not added to.
        s.acWnioski = on;
        s.AddWniosek = off;
    }
    return s;
}

CommandSwitches idleUpdate(int childCount, std::string_view activeClass) {
    CommandSwitches s;
    const bool application = activeClass == kApplicationWindow;

    // The document views follow the count.
    s.documentViews = s.Close = when(childCount > 0);

    // Saving. Splitting needs an application window too; while one is active, its count of
    // applications ("WNIOSKI") decides.
    if (childCount == 0) {
        s.SaveFile = s.SaveAs = s.Print = s.acWnioski = off;
    } else if (!application) {
        // Nothing can be added to a response: the board member's command goes off with the
        // others, which the node messages of an application window would otherwise leave on.
        s.AddWniosek = s.AddAgent = s.AddZarzad = s.AddPracownik = s.AddPelnomoc = s.AddPolisa =
            off;
        s.SaveFile = s.SaveAs = s.acWnioski = off;
    } else {
        s.SaveFile = s.SaveAs = on;
    }

    // Import and export.
    s.Import = s.Export = s.Senvik = s.CheckDocument = when(childCount != 0 && application);

    // Searching needs a record tree: an application or a response window.
    s.Search = when(childCount > 0 && (application || activeClass == kResponseWindow));
    return s;
}

std::vector<std::string> transferArguments(int mode, const std::string& file) {
    switch (mode) {
        case 0: return {"/send", "/addfile=" + file};
        case 1: return {"/receive"};
        default: return {"/transfer", "/addfile=\"" + file + "\""};
    }
}

int autoSaveInterval(int minutes) {
    constexpr int kMinute = 60'000;
    if (minutes <= 0) return 0;
    if (minutes > std::numeric_limits<int>::max() / kMinute) return std::numeric_limits<int>::max();
    return minutes * kMinute;
}

bool autoSaveDue(int childCount, std::string_view activeClass, bool activeModified) {
    return childCount != 0 && activeClass == kApplicationWindow && activeModified;
}

}  // namespace tavik::frame
