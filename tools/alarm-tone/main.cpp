// kelvane-alarm-tone FILE: writes the leak alarm's tone, a WAV file of two tones a fourth apart,
// high then low, each a quarter of a second, 16-bit mono. Run at build time; the program carries
// the file as a resource.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kHigh = 880, kLow = 660, kToneSeconds = 0.25;
// Loud, and with room below full scale; each tone fades in and out over 10 ms, so that it clicks
// at neither end.
constexpr double kAmplitude = 12000, kFadeSeconds = 0.01;

void appendTone(std::vector<std::int16_t>& samples, double frequency) {
  const int count = int(kToneSeconds * kRate), fade = int(kFadeSeconds * kRate);
  for (int i = 0; i < count; ++i) {
    const double envelope = std::fmin(1.0, std::fmin(i, count - 1 - i) / double(fade));
    samples.push_back(std::int16_t(std::lround(kAmplitude * envelope * std::sin(2 * M_PI * frequency * i / kRate))));
  }
}

void put(std::FILE* file, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) std::fputc(int(value >> (8 * i) & 0xff), file);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvane-alarm-tone FILE\n");
    return 2;
  }
  std::vector<std::int16_t> samples;
  appendTone(samples, kHigh);
  appendTone(samples, kLow);
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  const std::uint32_t data = std::uint32_t(samples.size() * 2);
  std::fputs("RIFF", file);
  put(file, 36 + data, 4);
  std::fputs("WAVEfmt ", file);
  put(file, 16, 4);     // the format's size
  put(file, 1, 2);      // PCM
  put(file, 1, 2);      // mono
  put(file, kRate, 4);
  put(file, kRate * 2, 4);  // bytes a second
  put(file, 2, 2);      // bytes a frame
  put(file, 16, 2);     // bits a sample
  std::fputs("data", file);
  put(file, data, 4);
  for (std::int16_t sample : samples) put(file, std::uint16_t(sample), 2);
  return std::fclose(file) == 0 ? 0 : 1;
}
