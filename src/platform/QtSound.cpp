#include "platform/QtSound.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

namespace corvellan {

namespace {

std::unique_ptr<QSoundEffect> loadEffect(const QString& path) {
    if (path.isEmpty()) return nullptr;
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(path));
    return effect;
}

} // namespace

QStringList soundFolders(const QString& installedDataDir) {
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    if (!installedDataDir.isEmpty()) folders << installedDataDir;
    return folders;
}

QString findSoundFile(const QString& name, const QStringList& folders) {
    for (const QString& folder : folders) {
        QFileInfo info(QDir(folder), name);
        if (info.isFile() && info.isReadable()) return info.absoluteFilePath();
    }
    return {};
}

float effectVolume(int left, int right) {
    int l = std::clamp(left, 0, 0xFFFF);
    int r = std::clamp(right, 0, 0xFFFF);
    return static_cast<float>((l + r) / 2.0 / 65535.0);
}

QtSound::QtSound(const QStringList& folders)
    : exhaust_(loadEffect(findSoundFile("Exhaust.wav", folders))),
      error_(loadEffect(findSoundFile("Error.wav", folders))) {
    setWaveVolume(0x8000, 0x8000);
}

QtSound::~QtSound() = default;

void QtSound::setWaveVolume(int left, int right) {
    volume_ = effectVolume(left, right);
    if (exhaust_) exhaust_->setVolume(volume_);
    if (error_) error_->setVolume(volume_);
}

void QtSound::playExhaust(int left, int right) {
    setWaveVolume(left, right);
    play(exhaust_.get());
}

void QtSound::playError() {
    play(error_.get());
}

void QtSound::beep() {
    QApplication::beep();
}

void QtSound::play(QSoundEffect* effect) {
    // A file that failed to load (or no audio output) reports an error
    // status; playing it would do nothing useful.
    if (!effect || effect->status() == QSoundEffect::Error) return;
    // A new sound cuts short the one still playing, as a new beat does.
    if (effect->isPlaying()) effect->stop();
    effect->play();
}

} // namespace corvellan
