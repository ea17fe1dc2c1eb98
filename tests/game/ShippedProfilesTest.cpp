#include <gtest/gtest.h>

#include <QDir>
#include <set>
#include <unistd.h>

#include "game/Joueursc.h"
#include "platform/TextFile.h"

// Every profile shipped in data/players reads without falling back to the defaults, names
// files that exist, and uses only rule keywords the computer player knows.
TEST(ShippedProfiles, ReadCompletelyAndNameExistingFiles) {
    const std::string data = std::string(MORVATEL_SOURCE_DIR) + "/data";
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof(previous)), nullptr);
    ASSERT_EQ(::chdir(data.c_str()), 0);
    const std::set<std::string> keywords{
        "&biggestDouble", "&smallestDouble", "&biggestDomino", "&smallestDomino",
        "&onBiggestEnd", "&onSmallestEnd", "&onEndHasMost", "&onEndHasLeast", "&endHasMost",
        "&endHasLeast", "&onMostPlayedEnd", "&onLeastPlayedEnd", "&mostPlayedEnd",
        "&leastPlayedEnd", "&jamGame", "&anything"};
    const QStringList files = QDir("players").entryList({"*.vrk"}, QDir::Files);
    ASSERT_GE(files.size(), 4);
    ASSERT_TRUE(files.contains("standard player.vrk"));
    std::set<std::vector<std::string>> distinctLists;
    for (const QString& f : files) {
        const std::string path = "players/" + f.toStdString();
        const Joueur seat = Joueur::CreateComputer(path, 0, true);
        EXPECT_NE(seat.Name, "CPU Standard") << path;
        EXPECT_NE(seat.Description, "None") << path;
        EXPECT_TRUE(platform::FileExists(seat.PicturePath)) << seat.PicturePath;
        EXPECT_GT(seat.ThinkThresholds[0], seat.ThinkThresholds[1]) << path;
        for (int b = 0; b < Joueur::MediaBlocks; ++b) {
            EXPECT_GT(seat.MediaCount(b), 0) << path << " block " << b;
            for (const std::string& m : seat.Media[b])
                EXPECT_TRUE(platform::FileExists(m)) << m;
        }
        for (int l = 0; l < Joueur::RuleLists; ++l) {
            ASSERT_GT(seat.RuleCount(l), 0) << path;
            EXPECT_EQ(seat.Rules[l].back(), "&anything") << path << " list " << l;
            for (const std::string& r : seat.Rules[l]) EXPECT_TRUE(keywords.count(r)) << r;
            distinctLists.insert(seat.Rules[l]);
        }
        const Joueur human = Joueur::CreateHuman(path, 1, true);
        EXPECT_EQ(human.Name, seat.Name) << path;
    }
    EXPECT_GE(distinctLists.size(), 8u) << "the profiles should play differently";
    ASSERT_EQ(::chdir(previous), 0);
}
