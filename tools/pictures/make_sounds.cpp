// Synthesises the sound cues described in data/sounds/cues.txt into one WAV file per cue
// (PCM, 22050 Hz, 16-bit, mono). Noise comes from a fixed-seed generator, so every build
// writes the same bytes.
#include <cmath>

#include "DataText.h"

using namespace korvel::datagen;

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

struct Tone {
    double start = 0, length = 0, from = 0, to = 0, level = 0;
    std::string wave;
};

std::string wavFile(const std::vector<std::int16_t>& samples) {
    std::string out = "RIFF";
    std::uint32_t data = static_cast<std::uint32_t>(samples.size() * 2);
    putLe32(out, 36 + data);
    out += "WAVEfmt ";
    putLe32(out, 16);
    putLe16(out, 1);               // PCM
    putLe16(out, 1);               // mono
    putLe32(out, kRate);
    putLe32(out, kRate * 2);       // bytes per second
    putLe16(out, 2);               // block align
    putLe16(out, 16);              // bits per sample
    out += "data";
    putLe32(out, data);
    for (std::int16_t s : samples) putLe16(out, static_cast<std::uint16_t>(s));
    return out;
}

void addTone(std::vector<double>& mix, const Tone& t, std::uint32_t& seed) {
    const int first = static_cast<int>(t.start * kRate / 1000);
    const int count = static_cast<int>(t.length * kRate / 1000);
    if (mix.size() < static_cast<size_t>(first + count)) mix.resize(static_cast<size_t>(first + count), 0.0);
    double phase = 0, low = 0;
    for (int i = 0; i < count; ++i) {
        const double u = static_cast<double>(i) / count;
        const double freq = t.from * std::pow(t.to / t.from, u);  // glide evenly in pitch
        const double attack = std::min(1.0, i / (0.004 * kRate));
        const double decay = (1 - u) * (1 - u);
        double v = 0;
        if (t.wave == "noise") {
            seed = seed * 1664525u + 1013904223u;
            double white = static_cast<double>(seed >> 8) / 8388608.0 - 1.0;
            double k = 1 - std::exp(-2 * kPi * freq / kRate);  // one-pole low-pass
            low += k * (white - low);
            v = low * 1.6;
        } else {
            phase += freq / kRate;
            phase -= std::floor(phase);
            if (t.wave == "sine") v = std::sin(2 * kPi * phase);
            else if (t.wave == "triangle") v = 1 - 4 * std::fabs(phase - 0.5);
            else if (t.wave == "bell")
                v = (std::sin(2 * kPi * phase) + 0.35 * std::sin(4 * kPi * phase) * (1 - u) +
                     0.15 * std::sin(6 * kPi * phase) * decay) / 1.3;
            else fail("unknown wave " + t.wave);
        }
        mix[static_cast<size_t>(first + i)] += v * t.level * attack * decay;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) fail("usage: make_sounds CUES OUTPUT_FOLDER");
    const std::string source = argv[1];
    std::vector<ArtBlock> cues = readArtBlocks(source, {"cue"});
    if (cues.empty()) fail(source + ": no cues");
    std::uint32_t seed = 0x4B6F7276u;
    for (const ArtBlock& cue : cues) {
        std::vector<std::string> head = words(cue.header);
        if (head.size() != 2) fail(source + ":" + std::to_string(cue.line) + ": expected 'cue NAME'");
        std::vector<double> mix;
        for (const std::string& row : cue.rows) {
            std::vector<std::string> w = words(row);
            const std::string where = source + ", cue " + head[1];
            if (w.size() != 7 || w[0] != "tone") fail(where + ": expected a tone line");
            Tone t{std::stod(w[1]), std::stod(w[2]), std::stod(w[3]), std::stod(w[4]),
                   std::stod(w[5]), w[6]};
            if (t.length <= 0 || t.from <= 0 || t.to <= 0) fail(where + ": bad tone");
            addTone(mix, t, seed);
        }
        mix.resize(mix.size() + kRate / 100, 0.0);  // a short silence so the end does not click
        std::vector<std::int16_t> samples;
        for (double v : mix) {
            double s = std::tanh(v * 1.2) / std::tanh(1.2);  // gentle limit instead of clipping
            samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 30000)));
        }
        writeFile(std::string(argv[2]) + "/" + head[1] + ".wav", wavFile(samples));
    }
    return 0;
}
