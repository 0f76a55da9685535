#include "platform/QtSound.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace corvellan;

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

} // namespace

TEST(QtSound, FirstFolderHoldingTheFileWins) {
    QTemporaryDir work, beside, installed;
    touch(beside.filePath("Exhaust.wav"));
    touch(installed.filePath("Exhaust.wav"));
    touch(installed.filePath("Error.wav"));
    const QStringList folders{work.path(), beside.path(), installed.path()};
    EXPECT_EQ(findSoundFile("Exhaust.wav", folders),
              QFileInfo(beside.filePath("Exhaust.wav")).absoluteFilePath());
    EXPECT_EQ(findSoundFile("Error.wav", folders),
              QFileInfo(installed.filePath("Error.wav")).absoluteFilePath());
    EXPECT_TRUE(findSoundFile("Whistle.wav", folders).isEmpty());
    // A folder of that name is not a sound.
    QDir(work.path()).mkdir("Error.wav");
    EXPECT_EQ(findSoundFile("Error.wav", folders),
              QFileInfo(installed.filePath("Error.wav")).absoluteFilePath());
}

TEST(QtSound, FoldersAreWorkingFolderThenExecutableThenData) {
    QStringList folders = soundFolders("/usr/share/corvellan");
    ASSERT_EQ(folders.size(), 3);
    EXPECT_EQ(folders[0], QDir::currentPath());
    EXPECT_EQ(folders[2], "/usr/share/corvellan");
    EXPECT_EQ(soundFolders("").size(), 2);
}

TEST(QtSound, ChannelVolumesMapToEffectVolume) {
    EXPECT_FLOAT_EQ(effectVolume(0xFFFF, 0xFFFF), 1.0f);
    EXPECT_FLOAT_EQ(effectVolume(0, 0), 0.0f);
    EXPECT_NEAR(effectVolume(0x8000, 0x8000), 0.5, 1e-4);
    EXPECT_NEAR(effectVolume(0xFFFF, 0), 0.5, 1e-6);
    EXPECT_FLOAT_EQ(effectVolume(-5, 0x20000), 0.5f);
}

TEST(QtSound, MissingFilesPlayNothingAndDoNotFail) {
    QTemporaryDir empty;
    QtSound sound({empty.path()});
    EXPECT_FALSE(sound.hasExhaust());
    EXPECT_FALSE(sound.hasError());
    sound.playExhaust(0xFFFF, 0xFFFF);
    sound.playError();
    EXPECT_FLOAT_EQ(sound.waveVolume(), 1.0f); // the beat still sets the volume
}

TEST(QtSound, ShippedSoundsLieBesideTheProgram) {
    const QString programDir = QFileInfo(CORVELLAN_BINARY).absolutePath();
    QtSound sound({programDir});
    EXPECT_TRUE(sound.hasExhaust());
    EXPECT_TRUE(sound.hasError());
    sound.setWaveVolume(0x8000, 0x8000);
    sound.playExhaust(0x4000, 0x4000);
    sound.playExhaust(0x4000, 0x4000); // interrupts the first
    sound.playError();
    EXPECT_NEAR(sound.waveVolume(), 0.25, 1e-4);
}
