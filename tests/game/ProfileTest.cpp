#include <gtest/gtest.h>

#include "GameFixtures.h"
#include "support/TempFolder.h"

namespace {

// Builds a profile text in the layout the reader consumes.
struct ProfileText {
    std::string nameLine = "Name=Rusty Robot";
    std::string descriptionLine = "Comment=Plays big tiles";
    std::string numberLine = "Index=4";
    std::string folderLine = "Directory=rusty";
    std::string picture = "rusty.jpg";
    std::vector<std::vector<std::string>> media =
        std::vector<std::vector<std::string>>(10, std::vector<std::string>{"clip.wav"});
    std::vector<std::vector<std::string>> rules{
        {"&biggestDouble", "&anything"}, {"&smallestDomino", "&anything"},
        {"&jamGame", "&anything"}, {"&biggestDomino", "&anything"}};
    bool thresholds = true;
    std::string threshold1 = "5";
    std::string threshold2 = "2";
    bool closeLastRuleBlock = true;

    std::string str() const {
        std::string s = "[Morvatel player]\r\nVersion=1\r\n\r\n";
        s += nameLine + "\r\n" + descriptionLine + "\r\n" + numberLine + "\r\n" + folderLine +
             "\r\n";
        s += "\r\n\r\n\r\n[Picture]\r\n" + picture + "\r\n";
        s += "\r\n\r\n\r\n[Media]\r\n";
        for (const auto& block : media) {
            s += "{\r\n";
            for (const auto& e : block) s += e + "\r\n";
            s += "}\r\n\r\n";
        }
        s += "\r\n\r\n[Rules]\r\n";
        for (std::size_t b = 0; b < rules.size(); ++b) {
            s += "{\r\n";
            for (const auto& r : rules[b]) s += r + "\r\n";
            if (b + 1 < rules.size() || closeLastRuleBlock) s += "}\r\n\r\n";
        }
        if (thresholds)
            s += "ThinkLimitOne=" + threshold1 + "\r\nSecondThinkingThresholds=" + threshold2 +
                 "\r\n";
        return s;
    }
};

class ProfileReading : public ::testing::Test {
protected:
    void write(const ProfileText& p) { folder.write("players/test.vrk", p.str()); }
    TempFolder folder;
};

} // namespace

TEST_F(ProfileReading, ComputerReadsEveryLine) {
    write(ProfileText{});
    const Joueur seat = Joueur::CreateComputer("players/test.vrk", 2, true);
    EXPECT_EQ(seat.Kind, Joueur::KindComputer);
    EXPECT_EQ(seat.SeatIndex, 2);
    EXPECT_EQ(seat.Name, "Rusty Robot");
    EXPECT_EQ(seat.Description, "Plays big tiles");
    EXPECT_EQ(seat.ProfileNumber, 4);
    EXPECT_EQ(seat.Folder, "rusty");
    EXPECT_EQ(seat.PicturePath, "players/rusty/rusty.jpg");
    for (int b = 0; b < 10; ++b) {
        ASSERT_EQ(seat.MediaCount(b), 1);
        EXPECT_EQ(seat.Media[b][0], "players/rusty/clip.wav");
    }
    EXPECT_EQ(seat.Rules[2], (std::vector<std::string>{"&jamGame", "&anything"}));
    EXPECT_EQ(seat.ThinkThresholds[0], 5);
    EXPECT_EQ(seat.ThinkThresholds[1], 2);
}

TEST_F(ProfileReading, LinuxLineEndsAndBackslashesAreRead) {
    std::string text = ProfileText{}.str();
    std::string lf;
    for (char c : text)
        if (c != '\r') lf.push_back(c);
    folder.write("players/test.vrk", lf);
    EXPECT_EQ(Joueur::CreateComputer("players/test.vrk", 0, true).ThinkThresholds[1], 2);
}

struct ProfileCase {
    const char* name;
    void (*edit)(ProfileText&);
    const char* computerName;
    const char* humanName;
    bool computerDefaults;
    bool humanDefaults;
};

class ProfileCases : public ProfileReading, public ::testing::WithParamInterface<ProfileCase> {};

TEST_P(ProfileCases, NamesAndDefaults) {
    const ProfileCase& c = GetParam();
    ProfileText p;
    c.edit(p);
    write(p);
    const Joueur cpu = Joueur::CreateComputer("players/test.vrk", 0, true);
    const Joueur human = Joueur::CreateHuman("players/test.vrk", 1, true);
    EXPECT_EQ(cpu.Name, c.computerName) << c.name;
    EXPECT_EQ(human.Name, c.humanName) << c.name;
    if (c.computerDefaults) {
        EXPECT_EQ(cpu.Description, "None") << c.name;
        EXPECT_EQ(cpu.PicturePath, "") << c.name;
        for (int b = 0; b < 10; ++b) EXPECT_EQ(cpu.MediaCount(b), 0) << c.name;
        for (int l = 0; l < 4; ++l)
            EXPECT_EQ(cpu.Rules[l], std::vector<std::string>{"&anything"}) << c.name;
    }
    if (c.humanDefaults) {
        EXPECT_EQ(human.Description, "None") << c.name;
        EXPECT_EQ(human.PicturePath, "") << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileCases,
    ::testing::Values(
        ProfileCase{"short name line", [](ProfileText& p) { p.nameLine = "Name="; }, "", "",
                    false, false},
        ProfileCase{"five characters dropped unread", [](ProfileText& p) { p.nameLine = "XXXXXAl"; },
                    "Al", "Al", false, false},
        ProfileCase{"name cut to fifteen",
                    [](ProfileText& p) { p.nameLine = "Name=A very long robot name"; },
                    "A very long rob", "A very long rob", false, false},
        ProfileCase{"name cleaned", [](ProfileText& p) { p.nameLine = "Name=*Ro;b]o&t"; }, "Robot",
                    "Robot", false, false},
        // A computer profile that ends before its thresholds reads empty lines: a failure.
        ProfileCase{"missing thresholds", [](ProfileText& p) { p.thresholds = false; },
                    "CPU Standard", "Rusty Robot", true, false},
        ProfileCase{"non-numeric threshold", [](ProfileText& p) { p.threshold2 = "two"; },
                    "CPU Standard", "Rusty Robot", true, false},
        ProfileCase{"non-numeric number line", [](ProfileText& p) { p.numberLine = "Index=x"; },
                    "CPU Standard", "Human Standard", true, true},
        ProfileCase{"empty number line", [](ProfileText& p) { p.numberLine = ""; },
                    "CPU Standard", "Human Standard", true, true},
        ProfileCase{"file ends inside a block",
                    [](ProfileText& p) {
                        p.closeLastRuleBlock = false;
                        p.thresholds = false;
                    },
                    "CPU Standard", "Human Standard", true, true}),
    CaseName());

TEST_F(ProfileReading, EmptyBlocksAndOverlongBlocks) {
    ProfileText p;
    p.media[2] = {};
    p.media[3] = std::vector<std::string>(14, "many.wav");
    p.rules[1] = std::vector<std::string>(12, "&smallestDomino");
    write(p);
    const Joueur seat = Joueur::CreateComputer("players/test.vrk", 0, true);
    EXPECT_EQ(seat.Name, "Rusty Robot");
    EXPECT_EQ(seat.MediaCount(2), 0);
    EXPECT_EQ(seat.MediaCount(3), 10);
    EXPECT_EQ(seat.MediaCount(4), 1);
    EXPECT_EQ(seat.RuleCount(1), 9);
    EXPECT_EQ(seat.Rules[2][0], "&jamGame");
    EXPECT_EQ(seat.ThinkThresholds[0], 5);
}

TEST_F(ProfileReading, NamesThatLeaveTheFolderAreNotUsed) {
    ProfileText p;
    p.picture = "../../etc/passwd";
    p.media[0] = {"..\\..\\secret.wav", "ok.wav"};
    write(p);
    const Joueur seat = Joueur::CreateComputer("players/test.vrk", 0, true);
    EXPECT_EQ(seat.PicturePath, "");
    ASSERT_EQ(seat.MediaCount(0), 1);
    EXPECT_EQ(seat.Media[0][0], "players/rusty/ok.wav");
}

TEST_F(ProfileReading, NetworkSeatsTakeTheGivenNameAndSkipTheHeaderLines) {
    ProfileText p;
    p.numberLine = "not a number";  // network seats do not read it
    write(p);
    const Joueur remote =
        Joueur::CreateRemote("players/test.vrk", "Far*Away Player Name", "10.1.2.3", 0, true);
    EXPECT_EQ(remote.Kind, Joueur::KindRemote);
    EXPECT_EQ(remote.Name, "FarAway Player Name");  // cleaned, not cut
    EXPECT_EQ(remote.SeatAddress, "10.1.2.3");
    EXPECT_EQ(remote.PicturePath, "players/rusty/rusty.jpg");
    EXPECT_EQ(remote.Rules[3][0], "&biggestDomino");
    EXPECT_EQ(remote.ThinkThresholds[0], 0);
    const Joueur net = Joueur::CreateNetLocal("players/test.vrk", "Bot", "", 2, false);
    EXPECT_EQ(net.Kind, Joueur::KindNetLocal);
    EXPECT_FALSE(net.UseRules);
    EXPECT_EQ(net.MediaCount(1), 1);
}

TEST_F(ProfileReading, MissingFileGivesEachConstructorsDefaults) {
    const Joueur cpu = Joueur::CreateComputer("players/none.vrk", 0, true);
    EXPECT_EQ(cpu.Name, "CPU Standard");
    EXPECT_EQ(cpu.Description, "None");
    EXPECT_EQ(cpu.Rules[0], std::vector<std::string>{"&anything"});
    const Joueur human = Joueur::CreateHuman("players/none.vrk", 1, true);
    EXPECT_EQ(human.Name, "Human Standard");
    EXPECT_EQ(human.Kind, Joueur::KindHuman);
    const Joueur remote = Joueur::CreateRemote("players/none.vrk", "Ann&", "1.2.3.4", 2, true);
    EXPECT_EQ(remote.Name, "Ann");
    EXPECT_EQ(remote.PicturePath, "");
    EXPECT_EQ(remote.Rules[1], std::vector<std::string>{"&anything"});
}
