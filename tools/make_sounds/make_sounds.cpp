// Makes the game's five wave files: the clack of a piece set on the board,
// the refusal tone, the chime, the looping background tune and the tick of a
// clock's last seconds. Everything is computed from fixed numbers and a fixed
// noise seed, so every run writes the same bytes.
//
//   make_sounds <folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int rate = 44100;
constexpr double pi = 3.14159265358979323846;
using Wave = std::vector<double>;

// xorshift64*: the same noise on every machine, unlike the standard
// distributions.
struct Noise {
    uint64_t s;
    explicit Noise(uint64_t seed)
        : s(seed)
    {
    }
    double next() // uniform in [-1, 1)
    {
        s ^= s >> 12;
        s ^= s << 25;
        s ^= s >> 27;
        return double((s * 2685821657736338717ULL) >> 11) / double(1ULL << 52) - 1.0;
    }
};

int samples(double seconds) { return int(std::lround(seconds * rate)); }
double frequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }
double decayRate(double t60) { return std::log(1000.0) / t60; }

void normalize(Wave& w, double peakDb)
{
    double peak = 0;
    for (const double x : w)
        peak = std::max(peak, std::abs(x));
    const double gain = std::pow(10.0, peakDb / 20.0) / peak;
    for (double& x : w)
        x *= gain;
}

// A raised-cosine fade over the last `seconds`, so that a one-shot sound ends
// on silence.
void fadeOut(Wave& w, double seconds)
{
    const int n = std::min<int>(samples(seconds), int(w.size()));
    for (int i = 0; i < n; ++i)
        w[w.size() - n + i] *= 0.5 * (1 + std::cos(pi * (i + 1) / n));
}

bool writeWav(const std::string& path, const Wave& w)
{
    std::vector<unsigned char> bytes;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back((v >> (8 * i)) & 0xFF);
    };
    auto u16 = [&](unsigned v) {
        bytes.push_back(v & 0xFF);
        bytes.push_back((v >> 8) & 0xFF);
    };
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<unsigned char>(t[i]));
    };
    const uint32_t dataSize = uint32_t(w.size() * 2);
    tag("RIFF");
    u32(36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    tag("data");
    u32(dataSize);
    for (const double x : w) {
        const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
        u16(unsigned(uint16_t(int16_t(v))));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
}

// A two-pole resonator (band-pass) over a signal, for the colour of noise.
struct Resonator {
    double b0, a1, a2, y1 = 0, y2 = 0;
    Resonator(double f, double q)
    {
        const double r = std::exp(-pi * f / q / rate);
        a1 = 2 * r * std::cos(2 * pi * f / rate);
        a2 = -r * r;
        b0 = 1 - r;
    }
    double operator()(double x)
    {
        const double y = b0 * x + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// The clack of a wooden piece set down on a wooden board: a hard, very short
// contact noise that rings a few stiff modes of the piece (high, quickly
// gone) and of the board (lower, a little longer).
Wave 駒打音()
{
    Wave w(samples(0.2), 0.0);
    struct Mode {
        double f, amp, t60;
    };
    const Mode modes[] = {
        { 2050, 1.00, 0.030 }, { 3120, 0.70, 0.022 }, { 4480, 0.45, 0.015 },
        { 6200, 0.25, 0.010 }, // the piece
        { 1180, 0.55, 0.045 }, { 640, 0.50, 0.070 }, { 260, 0.45, 0.110 }, // the board
    };
    for (const Mode& m : modes)
        for (size_t i = 0; i < w.size(); ++i) {
            const double t = double(i) / rate;
            w[i] += m.amp * std::exp(-decayRate(m.t60) * t) * std::sin(2 * pi * m.f * t);
        }
    Noise noise(0x5EED01);
    Resonator body(2600, 1.5);
    const int contact = samples(0.004);
    for (int i = 0; i < contact; ++i) {
        const double env = std::sin(pi * i / contact);
        w[i] += 1.2 * env * env * body(noise.next());
    }
    fadeOut(w, 0.02);
    normalize(w, -3.0);
    return w;
}

// Two short, dull buzzes falling a fourth: "no".
Wave 禁止()
{
    Wave w(samples(0.34), 0.0);
    auto buzz = [&](double from, double length, double f) {
        const int start = samples(from), n = samples(length);
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / rate;
            const double env = std::min({ 1.0, t / 0.006, (length - t) / 0.04 });
            double s = 0;
            for (int k = 1; k <= 10; ++k)
                s += std::sin(2 * pi * k * f * t) / std::pow(k, 1.4);
            w[start + i] += std::max(env, 0.0) * s;
        }
    };
    buzz(0.0, 0.13, 196.0);
    buzz(0.17, 0.17, 146.8);
    normalize(w, -14.0); // a dense buzz sounds loud: as loud as the clack, no louder
    return w;
}

// A small bell struck twice, a fifth apart, rising.
Wave その他()
{
    Wave w(samples(0.9), 0.0);
    auto bell = [&](double from, double f, double amp) {
        struct Partial {
            double ratio, amp, t60;
        };
        const Partial partials[]
            = { { 1.0, 1.0, 0.9 }, { 2.0, 0.35, 0.5 }, { 3.0, 0.10, 0.35 }, { 4.2, 0.08, 0.2 } };
        const int start = samples(from);
        for (size_t i = start; i < w.size(); ++i) {
            const double t = double(i - start) / rate;
            const double attack = std::min(1.0, t / 0.003);
            for (const Partial& p : partials)
                w[i] += amp * attack * p.amp * std::exp(-decayRate(p.t60) * t)
                    * std::sin(2 * pi * p.ratio * f * t);
        }
    };
    bell(0.0, frequency(81), 0.8); // A5
    bell(0.11, frequency(88), 1.0); // E6
    fadeOut(w, 0.06);
    normalize(w, -6.0);
    return w;
}

// The background tune: koto and shakuhachi in the miyako-bushi mode on E
// (E F A B C), 8 bars of 4/4 at 64 beats a minute, 30 seconds. Notes are
// added into the loop modulo its length, so the ringing of the last notes
// sounds over the first ones as it does when the tune goes round, and the
// reverberation runs over the loop twice for the same reason: the end joins
// the start without a seam.
class Tune {
public:
    static constexpr double beat = 60.0 / 64.0;
    static constexpr int beats = 32;
    Wave w = Wave(samples(beats * beat), 0.0);

    // A plucked koto string: harmonics shaped by the plucking point, the
    // upper ones dying first, slightly stretched like a stiff silk string.
    void koto(double atBeat, int midi, double velocity)
    {
        const double f = frequency(midi);
        const int start = samples(atBeat * beat), n = samples(3.5);
        for (int k = 1; k <= 14 && k * f < 9000; ++k) {
            const double fk = k * f * std::sqrt(1 + 0.00015 * k * k);
            const double amp = velocity * std::abs(std::sin(k * pi * 0.18)) / std::pow(k, 0.9);
            const double d = decayRate(2.6 / (1 + 0.45 * (k - 1)));
            for (int i = 0; i < n; ++i) {
                const double t = double(i) / rate;
                const double attack = std::min(1.0, t / 0.002);
                add(start + i, amp * attack * std::exp(-d * t) * std::sin(2 * pi * fk * t));
            }
        }
        Noise noise(0xC070 + midi * 131 + start);
        Resonator pick(2.5 * f, 4);
        for (int i = 0; i < samples(0.012); ++i)
            add(start + i, velocity * 0.5 * (1 - i / double(samples(0.012))) * pick(noise.next()));
    }

    // A shakuhachi note: a breathy, nearly pure tone that slides up into its
    // pitch, swells, and takes on a slow vibrato as it is held.
    void shakuhachi(double atBeat, double lengthBeats, int midi, double velocity)
    {
        const double f = frequency(midi), length = lengthBeats * beat;
        const int start = samples(atBeat * beat), n = samples(length + 0.3);
        Noise noise(0x5A4 + midi * 977 + start);
        Resonator breath(f, 6), hiss(2 * f, 2);
        double phase = 0;
        for (int i = 0; i < n; ++i) {
            const double t = double(i) / rate;
            const double rise = std::min(1.0, t / 0.15);
            const double fall = t < length ? 1.0 : std::max(0.0, 1 - (t - length) / 0.3);
            const double swell
                = 0.85 + 0.15 * std::sin(pi * std::min(1.0, t / std::max(length, 0.1)));
            const double env = velocity * rise * rise * (3 - 2 * rise) * fall * fall * swell;
            const double slide = -0.02 * std::exp(-t / 0.06); // from about 35 cents flat
            const double vibrato
                = 0.006 * std::min(1.0, std::max(0.0, (t - 0.35) / 0.6)) * std::sin(2 * pi * 5 * t);
            phase += 2 * pi * f * (1 + slide + vibrato) / rate;
            const double tone = std::sin(phase) + 0.30 * std::sin(2 * phase)
                + 0.10 * std::sin(3 * phase) + 0.04 * std::sin(4 * phase);
            const double air = noise.next();
            add(start + i,
                env
                    * (0.55 * tone + 2.5 * breath(air)
                        + 0.6 * hiss(air) * (0.5 + 0.5 * (1 - rise))));
        }
    }

    void reverberate(double wet)
    {
        struct Comb {
            std::vector<double> line;
            size_t at = 0;
            double store = 0;
            double operator()(double x)
            {
                const double y = line[at];
                store = 0.75 * y + 0.25 * store; // the walls swallow the highs first
                line[at] = x + 0.8 * store;
                at = (at + 1) % line.size();
                return y;
            }
        };
        struct AllPass {
            std::vector<double> line;
            size_t at = 0;
            double operator()(double x)
            {
                const double d = line[at];
                line[at] = x + 0.5 * d;
                at = (at + 1) % line.size();
                return d - 0.5 * x;
            }
        };
        std::vector<Comb> combs;
        for (const int d : { 1557, 1617, 1491, 1422, 1277, 1356 })
            combs.push_back(Comb { std::vector<double>(d, 0.0) });
        std::vector<AllPass> passes;
        for (const int d : { 556, 441, 225 })
            passes.push_back(AllPass { std::vector<double>(d, 0.0) });
        Wave out(w.size());
        for (int round = 0; round < 2; ++round)
            for (size_t i = 0; i < w.size(); ++i) {
                double r = 0;
                for (Comb& c : combs)
                    r += c(w[i]);
                r /= double(combs.size());
                for (AllPass& a : passes)
                    r = a(r);
                out[i] = w[i] + wet * r;
            }
        w = out;
    }

private:
    void add(long i, double x) { w[size_t(i % long(w.size()))] += x; }
};

Wave BGM()
{
    Tune tune;
    // The koto: one bar of eighths per line, (eighth, note) pairs; the first
    // two of a bar are struck together as a low fifth or fourth.
    constexpr int E3 = 52, F3 = 53, A3 = 57, B3 = 59, C4 = 60, E4 = 64, F4 = 65, A4 = 69, B4 = 71,
                  C5 = 72, E5 = 76;
    const std::vector<std::vector<std::pair<double, int>>> bars = {
        { { 0, E3 }, { 0, B3 }, { 2, E4 }, { 3, F4 }, { 4, E4 }, { 6, B3 } },
        { { 0, E3 }, { 0, B3 }, { 2, C4 }, { 3, B3 }, { 4, A3 }, { 6, B3 } },
        { { 0, A3 }, { 0, E4 }, { 2, A4 }, { 3, B4 }, { 4, A4 }, { 6, E4 } },
        { { 0, F3 }, { 0, C4 }, { 2, F4 }, { 3, E4 }, { 4, C4 }, { 6, B3 } },
        { { 0, E3 }, { 0, B3 }, { 2, E4 }, { 3, F4 }, { 4, A4 }, { 6, F4 } },
        { { 0, A3 }, { 0, E4 }, { 2, F4 }, { 3, E4 }, { 4, C4 }, { 6, B3 } },
        { { 0, F3 }, { 0, C4 }, { 2, A4 }, { 3, F4 }, { 4, E4 }, { 5, C4 }, { 6, B3 } },
        { { 0, E3 }, { 0, B3 }, { 2, E4 }, { 4, B3 }, { 6, F3 }, { 7, A3 } },
    };
    for (size_t bar = 0; bar < bars.size(); ++bar)
        for (const auto& [eighth, note] : bars[bar]) {
            const double roll
                = eighth == 0 && (note == B3 || note == E4 || note == C4) ? 0.04 : 0.0;
            const double accent = eighth == 0 ? 0.9 : (int(eighth) % 2 == 0 ? 0.7 : 0.55);
            tune.koto(4.0 * bar + eighth / 2 + roll, note, accent);
        }
    // The shakuhachi: (beat, length in beats, note).
    struct Note {
        double at, length;
        int midi;
    };
    const Note melody[] = {
        { 0, 2, B4 },
        { 2, 1, A4 },
        { 3, 1, F4 },
        { 4, 3, E4 },
        { 7, 0.5, F4 },
        { 7.5, 0.5, A4 },
        { 8, 2, B4 },
        { 10, 1, C5 },
        { 11, 1, B4 },
        { 12, 3, A4 },
        { 16, 2, E5 },
        { 18, 1, C5 },
        { 19, 1, B4 },
        { 20, 2, A4 },
        { 22, 1, B4 },
        { 23, 1, F4 },
        { 24, 2, E4 },
        { 26, 1, F4 },
        { 27, 1, A4 },
        { 28, 3.5, B4 },
    };
    for (const Note& n : melody)
        tune.shakuhachi(n.at, n.length - 0.08, n.midi, 0.5);
    tune.reverberate(0.35);
    double mean = 0;
    for (const double x : tune.w)
        mean += x / double(tune.w.size());
    for (double& x : tune.w)
        x -= mean;
    normalize(tune.w, -6.0); // below the sound effects
    return tune.w;
}

// The tick of a clock's last seconds: a short, dry knock of a small wooden
// block, high enough to be heard over the music and too short to be mistaken
// for a piece set down.
Wave 秒読み()
{
    Wave w(samples(0.06), 0.0);
    struct Mode {
        double f, amp, t60;
    };
    const Mode modes[] = { { 1760, 1.0, 0.040 }, { 2640, 0.45, 0.025 }, { 4700, 0.20, 0.012 } };
    for (const Mode& m : modes)
        for (size_t i = 0; i < w.size(); ++i) {
            const double t = double(i) / rate;
            const double attack = std::min(1.0, t / 0.0008);
            w[i] += m.amp * attack * std::exp(-decayRate(m.t60) * t) * std::sin(2 * pi * m.f * t);
        }
    fadeOut(w, 0.01);
    normalize(w, -9.0);
    return w;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::pair<const char*, Wave> waves[] = {
        { "駒打音.wav", 駒打音() },
        { "禁止.wav", 禁止() },
        { "その他.wav", その他() },
        { "BGM.wav", BGM() },
        { "秒読み.wav", 秒読み() },
    };
    for (const auto& [name, wave] : waves) {
        const std::string path = folder + "/" + name;
        if (!writeWav(path, wave)) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: %.3f s\n", path.c_str(), double(wave.size()) / rate);
    }
    return 0;
}
