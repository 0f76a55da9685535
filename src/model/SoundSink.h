#pragma once
// Where the model's sounds go. The application plays them through Qt
// Multimedia; tests record them.

namespace corvellan {

class SoundSink {
public:
    virtual ~SoundSink() = default;
    // "Exhaust.wav" at a channel volume of 0..0xFFFF each.
    virtual void playExhaust(int left, int right) = 0;
    // "Error.wav".
    virtual void playError() = 0;
    // The plain system beep of a refused action.
    virtual void beep() = 0;
};

// Plays nothing: for the command line and for sweeps that must stay silent.
class SilentSound : public SoundSink {
public:
    void playExhaust(int, int) override {}
    void playError() override {}
    void beep() override {}
};

} // namespace corvellan
