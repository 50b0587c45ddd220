// Synthesis of the six sound effects: sine partials with exponential decays for the clicks, beeps and
// chime, and filtered noise bursts for the applause. A fixed-seed generator keeps every run identical.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace varnook::assets {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

using Buffer = std::vector<double>;

double smoothstep01(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

// splitmix64: small, fast and the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }  // [0, 1)
    double between(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double noise() { return 2 * uniform() - 1; }

private:
    std::uint64_t state_;
};

// Second-order filter section (the usual audio-cookbook coefficients).
class Biquad {
public:
    static Biquad lowPass(double freq, double q) { return make(freq, q, Kind::Low); }
    static Biquad highPass(double freq, double q) { return make(freq, q, Kind::High); }
    static Biquad bandPass(double freq, double q) { return make(freq, q, Kind::Band); }

    double operator()(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }
    void reset() { x1_ = x2_ = y1_ = y2_ = 0; }

private:
    enum class Kind { Low, High, Band };
    static Biquad make(double freq, double q, Kind kind) {
        const double w0 = kTwoPi * freq / kSampleRate;
        const double cw = std::cos(w0), alpha = std::sin(w0) / (2 * q);
        const double a0 = 1 + alpha;
        Biquad f;
        switch (kind) {
            case Kind::Low:
                f.b0_ = (1 - cw) / 2;
                f.b1_ = 1 - cw;
                f.b2_ = (1 - cw) / 2;
                break;
            case Kind::High:
                f.b0_ = (1 + cw) / 2;
                f.b1_ = -(1 + cw);
                f.b2_ = (1 + cw) / 2;
                break;
            case Kind::Band:
                f.b0_ = alpha;
                f.b1_ = 0;
                f.b2_ = -alpha;
                break;
        }
        f.b0_ /= a0;
        f.b1_ /= a0;
        f.b2_ /= a0;
        f.a1_ = -2 * cw / a0;
        f.a2_ = (1 - alpha) / a0;
        return f;
    }
    double b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

Buffer silence(double seconds) { return Buffer(std::size_t(std::lround(seconds * kSampleRate)), 0.0); }
double timeOf(std::size_t i) { return double(i) / kSampleRate; }

// Scales the buffer to the given peak, applies raised-cosine fades at both ends (so the first and last
// samples are silent and nothing clicks) and converts to 16-bit samples.
std::vector<std::int16_t> finish(Buffer buf, double peak, double fadeInSec, double fadeOutSec) {
    const std::size_t n = buf.size();
    const std::size_t fadeIn = std::size_t(fadeInSec * kSampleRate);
    const std::size_t fadeOut = std::size_t(fadeOutSec * kSampleRate);
    for (std::size_t i = 0; i < n; ++i) {
        double g = 1;
        if (i < fadeIn) g *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(fadeIn));
        const std::size_t fromEnd = n - 1 - i;
        if (fromEnd < fadeOut) g *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(fromEnd) / double(fadeOut));
        buf[i] *= g;
    }
    double maxAbs = 0;
    for (double v : buf) maxAbs = std::max(maxAbs, std::abs(v));
    const double scale = maxAbs > 0 ? peak * 32767.0 / maxAbs : 0;
    std::vector<std::int16_t> out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = std::int16_t(std::clamp(std::lround(buf[i] * scale), -32767l, 32767l));
    return out;
}

// A light, crisp tick: a short high ping over a click of filtered noise.
std::vector<std::int16_t> click() {
    Random rng(0xC11C);
    Buffer b = silence(0.05);
    Biquad hp = Biquad::highPass(2500, 0.7);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        b[i] = std::sin(kTwoPi * 3200 * t) * std::exp(-t / 0.0035) +
               0.45 * std::sin(kTwoPi * 1150 * t) * std::exp(-t / 0.008) +
               0.9 * hp(rng.noise() * std::exp(-t / 0.0012));
    }
    return finish(b, 0.55, 0.001, 0.012);
}

// Softer and lower than the click, gliding down: the letter lets go.
std::vector<std::int16_t> unclick() {
    Random rng(0x0C11C);
    Buffer b = silence(0.08);
    Biquad lp = Biquad::lowPass(1400, 0.7);
    double phase = 0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        const double freq = 760 + 720 * std::exp(-t / 0.014);
        phase += kTwoPi * freq / kSampleRate;
        const double env = (1 - std::exp(-t / 0.0025)) * std::exp(-t / 0.015);
        b[i] = std::sin(phase) * env + 0.35 * lp(rng.noise() * std::exp(-t / 0.004));
    }
    return finish(b, 0.36, 0.001, 0.018);
}

// One clear beep with a few soft harmonics.
std::vector<std::int16_t> beep() {
    Buffer b = silence(0.2);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        const double x = kTwoPi * 880 * t;
        b[i] = (std::sin(x) + 0.28 * std::sin(2 * x) + 0.10 * std::sin(3 * x)) * std::exp(-t / 0.6);
    }
    return finish(b, 0.5, 0.006, 0.05);
}

// Two low, buzzing beeps built on a minor second, the second one lower: "wrong".
std::vector<std::int16_t> beeps() {
    Buffer b = silence(0.44);
    struct Tone {
        double start, length, f1, f2;
    };
    constexpr std::array<Tone, 2> tones{Tone{0.0, 0.15, 233.1, 246.9}, Tone{0.22, 0.20, 196.0, 207.7}};
    for (const Tone& tone : tones) {
        const std::size_t first = std::size_t(tone.start * kSampleRate);
        const std::size_t count = std::size_t(tone.length * kSampleRate);
        for (std::size_t k = 0; k < count && first + k < b.size(); ++k) {
            const double t = timeOf(k);
            double v = 0;
            for (int h = 1; h <= 6; ++h)  // a softened sawtooth on each of the two pitches
                v += (std::sin(kTwoPi * tone.f1 * h * t) + std::sin(kTwoPi * tone.f2 * h * t)) / (h * 1.3);
            const double attack = std::min(1.0, t / 0.005);
            const double release = std::min(1.0, (tone.length - t) / 0.03);
            b[first + k] += v * attack * std::max(0.0, release);
        }
    }
    return finish(b, 0.55, 0.002, 0.02);
}

// A rising four-note arpeggio of bell-like notes (inharmonic partials, the upper ones dying faster).
std::vector<std::int16_t> right() {
    Buffer b = silence(0.82);
    constexpr std::array<double, 4> notes{784.0, 1046.5, 1318.5, 1568.0};  // G5 C6 E6 G6
    constexpr std::array<double, 4> ratio{1.0, 2.0, 2.76, 5.40};
    constexpr std::array<double, 4> amp{1.0, 0.30, 0.20, 0.07};
    constexpr std::array<double, 4> decay{0.30, 0.15, 0.09, 0.04};
    for (std::size_t n = 0; n < notes.size(); ++n) {
        const std::size_t first = std::size_t((0.075 * double(n)) * kSampleRate);
        const double sustain = n + 1 == notes.size() ? 1.5 : 1.0;
        const double loud = 0.75 + 0.08 * double(n);
        for (std::size_t k = 0; first + k < b.size(); ++k) {
            const double t = timeOf(k);
            double v = 0;
            for (std::size_t p = 0; p < ratio.size(); ++p)
                v += amp[p] * std::sin(kTwoPi * notes[n] * ratio[p] * t) * std::exp(-t / (decay[p] * sustain));
            b[first + k] += loud * v * (1 - std::exp(-t / 0.0015));
        }
    }
    return finish(b, 0.8, 0.001, 0.08);
}

// Applause: a crowd of clappers, each clapping at its own pace with its own hand "colour" (a band-pass
// filter on short noise bursts), swelling in quickly and dying away; a faint murmur underneath.
std::vector<std::int16_t> clap() {
    constexpr double length = 2.1, fadeFrom = 1.15;
    Random rng(0xA99A05E);
    Buffer b = silence(length);
    auto swell = [](double t) {
        const double in = smoothstep01(t / 0.18);
        const double fade = std::min(1.0, (t - fadeFrom) / (length - fadeFrom));
        const double out = t < fadeFrom ? 1.0 : 0.5 + 0.5 * std::cos(std::numbers::pi * fade);
        return in * out;
    };
    constexpr int clappers = 26;
    const std::size_t burst = std::size_t(0.04 * kSampleRate);
    for (int c = 0; c < clappers; ++c) {
        const double period = 1.0 / rng.between(3.0, 5.2);
        const double stop = rng.between(1.25, 2.0);
        const double gain = rng.between(0.45, 1.0);
        Biquad hand = Biquad::bandPass(rng.between(650, 2500), rng.between(0.8, 1.6));
        for (double t0 = rng.between(0.0, period); t0 < stop; t0 += period * rng.between(0.85, 1.15)) {
            const double tau = rng.between(0.004, 0.009);
            const double g = gain * rng.between(0.7, 1.0) * swell(t0);
            hand.reset();
            const std::size_t first = std::size_t(t0 * kSampleRate);
            for (std::size_t k = 0; k < burst && first + k < b.size(); ++k) {
                const double t = timeOf(k);
                const double env = t < 0.0006 ? t / 0.0006 : std::exp(-(t - 0.0006) / tau);
                b[first + k] += g * hand(rng.noise() * env);
            }
        }
    }
    Biquad murmur = Biquad::lowPass(900, 0.7);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] += 0.05 * swell(timeOf(i)) * murmur(rng.noise());
    // Soft limiting: the odd loud clap no longer sets the level of the whole crowd.
    double maxAbs = 0;
    for (double v : b) maxAbs = std::max(maxAbs, std::abs(v));
    for (double& v : b) v = std::tanh(2.5 * v / maxAbs);
    return finish(b, 0.8, 0.003, 0.03);
}

}  // namespace

// A dry, wooden clock tick, lower and shorter than the link click so the two never mix up.
std::vector<std::int16_t> tick() {
    Random rng(0x71C);
    Buffer b = silence(0.04);
    Biquad bp = Biquad::bandPass(1800, 2.0);
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = timeOf(i);
        b[i] = std::sin(kTwoPi * 1250 * t) * std::exp(-t / 0.005) + 0.6 * bp(rng.noise() * std::exp(-t / 0.002));
    }
    return finish(b, 0.45, 0.0005, 0.01);
}

std::vector<std::int16_t> makeSound(Sound sound) {
    switch (sound) {
        case Sound::Click: return click();
        case Sound::Unclick: return unclick();
        case Sound::Beep: return beep();
        case Sound::Beeps: return beeps();
        case Sound::Right: return right();
        case Sound::Clap: return clap();
        case Sound::Tick: return tick();
    }
    return {};
}

}  // namespace varnook::assets
