#pragma once
// The program's sounds through Qt Multimedia: "Exhaust.wav" and "Error.wav"
// played asynchronously, the wave-output volume, and the system beep. A
// missing file or a machine without audio plays nothing; nothing here blocks
// or throws.

#include "model/SoundSink.h"

#include <QString>
#include <QStringList>

#include <memory>

class QSoundEffect;

namespace corvellan {

// The folders searched for the sound files, in order: the working folder,
// the executable's folder, then `installedDataDir` (when not empty).
QStringList soundFolders(const QString& installedDataDir);

// The first folder of `folders` that holds a readable file `name`, joined to
// the name; empty when none does.
QString findSoundFile(const QString& name, const QStringList& folders);

// Channel volume 0..0xFFFF as an effect volume 0..1 (both channels averaged;
// an effect has one volume).
float effectVolume(int left, int right);

class QtSound : public SoundSink {
  public:
    explicit QtSound(const QStringList& folders);
    ~QtSound() override;

    // The wave-output volume for both sounds, 0..0xFFFF per channel.
    void setWaveVolume(int left, int right);
    float waveVolume() const { return volume_; }

    void playExhaust(int left, int right) override;
    void playError() override;
    void beep() override;

    // Whether the file was found (it may still fail to play).
    bool hasExhaust() const { return exhaust_ != nullptr; }
    bool hasError() const { return error_ != nullptr; }

  private:
    void play(QSoundEffect* effect);

    std::unique_ptr<QSoundEffect> exhaust_;
    std::unique_ptr<QSoundEffect> error_;
    float volume_ = 0.5f;
};

} // namespace corvellan
