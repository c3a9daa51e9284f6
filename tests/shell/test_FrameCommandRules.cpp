#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "shell/FrameCommandRules.h"

namespace tavik::frame {
namespace {

// The switches a rule sets, in the order of the command table; kept commands are left out.
std::string set(const CommandSwitches& s) {
    std::string out;
    auto put = [&](const char* name, Switch w) {
        if (w == Switch::Keep) return;
        if (!out.empty()) out += ' ';
        out += name;
        out += w == Switch::On ? "+" : "-";
    };
    put("AddWniosek", s.AddWniosek);
    put("AddAgent", s.AddAgent);
    put("AddZarzad", s.AddZarzad);
    put("AddPracownik", s.AddPracownik);
    put("AddPolisa", s.AddPolisa);
    put("AddPelnomoc", s.AddPelnomoc);
    put("Print", s.Print);
    put("acWnioski", s.acWnioski);
    put("SaveFile", s.SaveFile);
    put("SaveAs", s.SaveAs);
    put("Import", s.Import);
    put("Export", s.Export);
    put("Close", s.Close);
    put("views", s.documentViews);
    return out;
}

TEST(NodeChanged, EveryRowOfTheTable) {
    const std::string noRecords = "AddZarzad- AddPracownik- AddPolisa- AddPelnomoc-";
    // Kinds whose row does not look at the flag: the same for 0, 1 and anything else.
    for (std::int64_t flag : {0, 1, 2, -1}) {
        SCOPED_TRACE(flag);
        EXPECT_EQ(set(nodeChanged(0, flag)), "AddWniosek+ AddAgent- " + noRecords);
        EXPECT_EQ(set(nodeChanged(2, flag)), "AddWniosek+ AddAgent- " + noRecords + " Print-");
        EXPECT_EQ(set(nodeChanged(3, flag)),
                  "AddAgent- AddZarzad+ AddPracownik- AddPolisa- AddPelnomoc- Print-");
        EXPECT_EQ(set(nodeChanged(4, flag)),
                  "AddAgent- AddZarzad- AddPracownik+ AddPolisa- AddPelnomoc- Print-");
        EXPECT_EQ(set(nodeChanged(5, flag)),
                  "AddAgent- AddZarzad- AddPracownik- AddPolisa- AddPelnomoc+ Print-");
        EXPECT_EQ(set(nodeChanged(6, flag)),
                  "AddAgent- AddZarzad- AddPracownik- AddPolisa+ AddPelnomoc- Print-");
    }
}

TEST(NodeChanged, ApplicationFollowsTheAgentFlag) {
    EXPECT_EQ(set(nodeChanged(1, 1)),
              "AddWniosek+ AddZarzad- AddPracownik- AddPolisa- "
              "AddPelnomoc- Print+");
    EXPECT_EQ(set(nodeChanged(1, 0)),
              "AddWniosek- AddZarzad- AddPracownik- AddPolisa- "
              "AddPelnomoc- Print-");
    // Neither 0 nor 1: "Wniosek" and printing stay as they were; the agent is never touched.
    EXPECT_EQ(set(nodeChanged(1, 2)), "AddZarzad- AddPracownik- AddPolisa- AddPelnomoc-");
    EXPECT_EQ(set(nodeChanged(1, -1)), "AddZarzad- AddPracownik- AddPolisa- AddPelnomoc-");
}

TEST(NodeChanged, KindsOutsideTheTableChangeNothing) {
    for (std::int64_t kind : {7LL, 8LL, 1000LL, -1LL, LLONG_MIN, LLONG_MAX}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(nodeChanged(kind, 1), CommandSwitches{});
        EXPECT_EQ(nodeChanged(kind, 0), CommandSwitches{});
    }
}

TEST(ApplicationCount, SplittingFromTwoApplicationsOn) {
    EXPECT_EQ(set(applicationCount(0)), "acWnioski-");
    EXPECT_EQ(set(applicationCount(1)), "acWnioski-");
    EXPECT_EQ(set(applicationCount(-5)), "acWnioski-");
    EXPECT_EQ(set(applicationCount(2)), "AddWniosek- acWnioski+");
    EXPECT_EQ(set(applicationCount(20000)), "AddWniosek- acWnioski+");
}

TEST(IdleUpdate, NoDocumentWindow) {
    EXPECT_EQ(set(idleUpdate(0, "")), "Print- SaveFile- SaveAs- Import- Export- Close- views-");
    // The class of a window that is no longer counted does not matter.
    EXPECT_EQ(set(idleUpdate(0, "TfrmData")), set(idleUpdate(0, "")));
}

TEST(IdleUpdate, ApplicationWindowActive) {
    EXPECT_EQ(set(idleUpdate(1, "TfrmData")), "SaveFile+ SaveAs+ Import+ Export+ Close+ views+");
    EXPECT_EQ(set(idleUpdate(3, "TfrmData")), set(idleUpdate(1, "TfrmData")));
}

TEST(IdleUpdate, ResponseWindowActive) {
    // Saving, import, export and the add commands but the board member's are off.
    EXPECT_EQ(set(idleUpdate(2, "TfrmOdpowiedz")),
              "AddWniosek- AddAgent- AddPracownik- AddPolisa- AddPelnomoc- SaveFile- SaveAs- "
              "Import- Export- Close+ views+");
}

TEST(IdleUpdate, WindowsWithoutAnActiveOne) {
    // Counted windows but none active (the frame is not the active window): nothing to save.
    EXPECT_EQ(set(idleUpdate(1, "")), set(idleUpdate(1, "TfrmOdpowiedz")));
    // Class names are compared exactly.
    EXPECT_EQ(set(idleUpdate(1, "tfrmdata")), set(idleUpdate(1, "TfrmOdpowiedz")));
}

TEST(AutoSave, IntervalInMilliseconds) {
    EXPECT_EQ(autoSaveInterval(5), 300000);
    EXPECT_EQ(autoSaveInterval(3), 180000);
    EXPECT_EQ(autoSaveInterval(1), 60000);
    EXPECT_EQ(autoSaveInterval(35791), 2147460000);
    EXPECT_EQ(autoSaveInterval(35792), INT_MAX);
    EXPECT_EQ(autoSaveInterval(INT_MAX), INT_MAX);
    EXPECT_EQ(autoSaveInterval(0), 0);
    EXPECT_EQ(autoSaveInterval(-3), 0);
    EXPECT_EQ(autoSaveInterval(INT_MIN), 0);
}

TEST(AutoSave, OnlyAnActiveApplicationWindowIsSaved) {
    EXPECT_TRUE(autoSaveDue(1, "TfrmData"));
    EXPECT_TRUE(autoSaveDue(4, "TfrmData"));
    EXPECT_FALSE(autoSaveDue(0, "TfrmData"));
    EXPECT_FALSE(autoSaveDue(2, "TfrmOdpowiedz"));
    EXPECT_FALSE(autoSaveDue(2, ""));
}

}  // namespace
}  // namespace tavik::frame
