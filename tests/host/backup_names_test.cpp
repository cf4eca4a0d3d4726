#include "app/backup_names.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

TEST(BackupNames, CopiesAreNamedAfterTheDatabaseInItsOwnFolder) {
    struct Case {
        const char *path, *folder, *stem;
    };
    for (const Case& c :
         {Case{"C:\\Vemo\\vemo.dat", "C:\\Vemo\\backups", "vemo"},
          Case{"D:\\a.b\\my.tasks.dat", "D:\\a.b\\backups", "my.tasks"},
          Case{"D:\\a.b\\noext", "D:\\a.b\\backups", "noext"},
          Case{"\\\\server\\share\\.dat", "\\\\server\\share\\backups", ".dat"},
          Case{"vemo.dat", "backups", "vemo"}, Case{"C:work.dat", "C:backups", "work"}}) {
        EXPECT_EQ(BackupFolderFor(c.path), c.folder) << c.path;
        EXPECT_EQ(BackupStemOf(c.path), c.stem) << c.path;
    }
    EXPECT_EQ(DatedBackupName("vemo", "2026-12-07", "ANN-PC"), "vemo-2026-12-07.ANN-PC.dat");
    EXPECT_EQ(DatedBackupName("vemo", "2026-12-07", ""), "vemo-2026-12-07.dat");
    EXPECT_EQ(ClearAllBackupName("vemo", "2026-12-07", "09:05:00", 1),
              "vemo-2026-12-07-090500.dat");
    EXPECT_EQ(ClearAllBackupName("vemo", "2026-12-07", "09:05:00", 3),
              "vemo-2026-12-07-090500-3.dat");
}

// A database in a synced folder is started on several computers: each keeps
// and rotates its own dated copies, and those of older versions.
TEST(BackupNames, OnlyTheDatabasesOwnOlderDatedCopiesAreDeleted) {
    struct Case {
        const char* name;
        bool dated;
    };
    for (const Case& c : {Case{"vemo-2026-12-07.dat", true},
                          Case{"VEMO-2026-12-07.DAT", true},
                          Case{"vemo-2026-12-07.ANN-PC.dat", true},
                          Case{"vemo-2026-12-07.ann-pc.DAT", true},
                          Case{"vemo-2026-12-07.BOB.dat", false},  // another computer's
                          Case{"vemo-2026-12-07.ANN-PC2.dat", false},
                          Case{"vemo-2026-12-07ANN-PC.dat", false},
                          Case{"vemo-2026-12-07..dat", false},
                          Case{"vemo-2026-12-07-090500.dat", false},  // Clear All's
                          Case{"vemo-2026-12-07-2.dat", false},
                          Case{"vemo-2026-1-07.dat", false},
                          Case{"vemo-2026-12-0x.dat", false},
                          Case{"vemo-2026_12-07.dat", false},
                          Case{"vemo-2026-12-07.bak", false},
                          Case{"vemo-2026-12-07.dat.txt", false},
                          Case{"vemox2026-12-07.dat", false},
                          Case{"work-2026-12-07.dat", false},
                          Case{"vemo-2026-2026-12-07.dat", false},  // database "vemo-2026"'s
                          Case{"vem-2026-12-07.dat", false},
                          Case{"2026-12-07.dat", false}}) {
        EXPECT_EQ(IsDatedBackupName(c.name, "vemo", "ANN-PC"), c.dated) << c.name;
    }
    EXPECT_TRUE(IsDatedBackupName("vemo-2026-2026-12-07.dat", "vemo-2026", "ANN-PC"));

    // Sixteen days of this computer's copies (the older half named the old
    // way) among another computer's, which are never deleted.

    std::vector<std::string> names = {"notes.txt", "work-2020-01-01.dat",
                                      "vemo-2020-01-01.BOB.dat"};
    for (int day = 1; day <= 16; ++day) {  // out of order, across a year's end
        names.push_back(day % 2 ? "vemo-2027-01-" + std::string(day < 10 ? "0" : "") +
                                      std::to_string(day) + ".ANN-PC.dat"
                                : "vemo-2026-12-" + std::to_string(day + 14) + ".dat");
    }
    EXPECT_TRUE(DatedBackupsToDelete(names, "vemo", "ANN-PC", 16).empty());
    EXPECT_EQ(DatedBackupsToDelete(names, "vemo", "ANN-PC"),
              (std::vector<std::string>{"vemo-2026-12-18.dat", "vemo-2026-12-16.dat"}));
    EXPECT_EQ(DatedBackupsToDelete(names, "vemo", "ANN-PC", 0).size(), 16u);
    EXPECT_EQ(DatedBackupsToDelete(names, "vemo", "BOB", 0),
              (std::vector<std::string>{
                  "vemo-2026-12-30.dat", "vemo-2026-12-28.dat", "vemo-2026-12-26.dat",
                  "vemo-2026-12-24.dat", "vemo-2026-12-22.dat", "vemo-2026-12-20.dat",
                  "vemo-2026-12-18.dat", "vemo-2026-12-16.dat", "vemo-2020-01-01.BOB.dat"}));
}

// Before a merge is written: pairs named for the moment and the computer;
// the newest 14 pairs of this computer stay, a pair goes whole, and no
// other file is ever among those deleted.
TEST(BackupNames, MergePairsRotateInWholePairsPerComputer) {
    EXPECT_EQ(MergeBackupName("vemo", "2026-12-07", "09:05:03", "ANN-PC", true),
              "vemo-2026-12-07-090503.ANN-PC.found.dat");
    EXPECT_EQ(MergeBackupName("vemo", "2026-12-07", "09:05:03", "ANN-PC", false),
              "vemo-2026-12-07-090503.ANN-PC.here.dat");
    std::vector<std::string> names = {"vemo-2026-12-07-090500.dat",  // Clear All's
                                      "vemo-2026-12-07.ANN-PC.dat",
                                      "vemo-2026-12-01-000000.BOB.found.dat",
                                      "vemo-2026-12-01-000000.ANN-PC.other.dat",
                                      "vemo-2026-12-1-000000.ANN-PC.here.dat",
                                      "work-2026-12-01-000000.ANN-PC.here.dat"};
    for (int minute = 10; minute < 26; ++minute) {  // 16 pairs, one of them half
        const std::string time = "10:" + std::to_string(minute) + ":00";
        names.push_back(MergeBackupName("VEMO", "2026-12-07", time, "ann-pc", true));
        if (minute != 11)
            names.push_back(MergeBackupName("vemo", "2026-12-07", time, "ANN-PC", false));
    }
    EXPECT_TRUE(MergeBackupsToDelete(names, "vemo", "ANN-PC", 16).empty());
    EXPECT_EQ(MergeBackupsToDelete(names, "vemo", "ANN-PC"),
              (std::vector<std::string>{"VEMO-2026-12-07-101000.ann-pc.found.dat",
                                        "vemo-2026-12-07-101000.ANN-PC.here.dat",
                                        "VEMO-2026-12-07-101100.ann-pc.found.dat"}));
    EXPECT_EQ(MergeBackupsToDelete(names, "vemo", "BOB", 0),
              (std::vector<std::string>{"vemo-2026-12-01-000000.BOB.found.dat"}));
}

}  // namespace
}  // namespace vemo
