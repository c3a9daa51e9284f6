#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "shell/FrameCommandRules.h"

// The node and count rules are checked on the frame's own actions (test_TfrmMain); here the
// edges that the frame cannot reach easily.
namespace tavik::frame {
namespace {

TEST(AutoSave, IntervalInMillisecondsHeldInRange) {
    const std::pair<int, int> intervals[] = {
        {5, 300000}, {1, 60000}, {35791, 2147460000}, {35792, INT_MAX}, {INT_MAX, INT_MAX},
        {0, 0},      {-3, 0},    {INT_MIN, 0}};
    for (const auto& [minutes, ms] : intervals)
        EXPECT_EQ(autoSaveInterval(minutes), ms) << minutes;
}

TEST(AutoSave, OnlyAnActiveChangedApplicationWindowIsSaved) {
    EXPECT_TRUE(autoSaveDue(1, "TfrmData", true));
    EXPECT_TRUE(autoSaveDue(4, "TfrmData", true));
    EXPECT_FALSE(autoSaveDue(4, "TfrmData", false));
    EXPECT_FALSE(autoSaveDue(0, "TfrmData", true));
    EXPECT_FALSE(autoSaveDue(2, "TfrmOdpowiedz", true));
    EXPECT_FALSE(autoSaveDue(2, "tfrmdata", true));
}

TEST(IdleUpdate, WindowsWithoutAnActiveApplicationWindow) {
    // None active (the frame is not the active window), a class spelled otherwise, a response:
    // alike but for searching, which a response allows.
    for (const char* active : {"", "tfrmdata", "TfrmOdpowiedz"}) {
        CommandSwitches s = idleUpdate(1, active), response = idleUpdate(2, "TfrmOdpowiedz");
        s.Search = response.Search = Switch::Keep;
        EXPECT_EQ(s, response) << active;
        EXPECT_EQ(s.SaveFile, Switch::Off) << active;
        EXPECT_EQ(s.AddZarzad, Switch::Off) << active;
        EXPECT_EQ(s.acWnioski, Switch::Off) << active;
        EXPECT_EQ(s.Close, Switch::On) << active;
    }
}

TEST(IdleUpdate, SplittingOnlyWithAnApplicationWindow) {
    EXPECT_EQ(idleUpdate(0, "").acWnioski, Switch::Off);
    EXPECT_EQ(idleUpdate(1, "TfrmData").acWnioski, Switch::Keep);  // its count decides
}

TEST(IdleUpdate, SearchingNeedsAWindowWithRecords) {
    const std::tuple<int, const char*, Switch> cases[] = {
        {1, "TfrmData", Switch::On},   {3, "TfrmOdpowiedz", Switch::On},
        {0, "TfrmData", Switch::Off},  {-1, "TfrmOdpowiedz", Switch::Off},
        {2, "", Switch::Off},          {1, "tfrmdata", Switch::Off},
        {1, "TfrmImport", Switch::Off}};
    for (const auto& [count, active, search] : cases)
        EXPECT_EQ(idleUpdate(count, active).Search, search) << count << ' ' << active;
}

TEST(IdleUpdate, TransferAndCheckingGoWithTheImport) {
    for (const auto& [count, active] : std::initializer_list<std::pair<int, const char*>>{
             {1, "TfrmData"}, {0, "TfrmData"}, {2, "TfrmOdpowiedz"}, {1, ""}}) {
        const CommandSwitches s = idleUpdate(count, active);
        EXPECT_EQ(s.Senvik, s.Import) << count << ' ' << active;
        EXPECT_EQ(s.CheckDocument, s.Import) << count << ' ' << active;
    }
    EXPECT_EQ(idleUpdate(1, "TfrmData").Senvik, Switch::On);
    EXPECT_EQ(idleUpdate(1, "TfrmData").CheckDocument, Switch::On);
}

TEST(Transfer, ArgumentsOfEachMode) {
    using Arguments = std::vector<std::string>;
    const std::string file = "/home/ula/wnioski/wniosek 1.rpa";
    EXPECT_EQ(transferArguments(0, file), (Arguments{"/send", "/addfile=" + file}));
    EXPECT_EQ(transferArguments(1, file), (Arguments{"/receive"}));
    EXPECT_EQ(transferArguments(2, file), (Arguments{"/transfer", "/addfile=\"" + file + "\""}));
    EXPECT_EQ(transferArguments(7, file), transferArguments(2, file));
}

}  // namespace
}  // namespace tavik::frame
