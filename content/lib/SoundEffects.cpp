#include "lib/SoundEffects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>

#include "lib/DemoSound.h"

namespace {

struct Synth {
  std::vector<double> s;
  explicit Synth(int ms) : s(static_cast<size_t>(ms) * DemoSampleRate / 1000, 0.0) {}
  size_t At(double sec) const {
    return std::min(s.size(), static_cast<size_t>(sec * DemoSampleRate));
  }
  // A tone from t0 to t1 whose frequency and loudness follow the given curves (u: 0..1).
  void Tone(double t0, double t1, const std::function<double(double)>& hz,
            const std::function<double(double)>& amp, int harmonics = 1) {
    double phase = 0;
    const size_t a = At(t0), b = At(t1);
    for (size_t i = a; i < b; ++i) {
      const double u = double(i - a) / double(std::max<size_t>(1, b - a));
      phase += 2 * std::numbers::pi * hz(u) / DemoSampleRate;
      double v = 0;
      for (int h = 1; h <= harmonics; ++h) v += std::sin(phase * h) / h;
      s[i] += v * amp(u);
    }
  }
  void Noise(double t0, double t1, const std::function<double(double)>& amp, double smooth) {
    std::uint32_t seed = 12345;
    double low = 0;
    const size_t a = At(t0), b = At(t1);
    for (size_t i = a; i < b; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const double white = (seed >> 8) / double(1 << 24) * 2 - 1;
      low += (white - low) * smooth;
      s[i] += low * amp(double(i - a) / double(std::max<size_t>(1, b - a)));
    }
  }
  TSoundData Data() const {
    TSoundData d;
    d.Rate = DemoSampleRate;
    for (double v : s)
      d.Samples.push_back(static_cast<std::int16_t>(std::clamp(v, -1.0, 1.0) * 26000));
    return d;
  }
};

double Fade(double u) {
  return std::min({1.0, u * 20, (1 - u) * 8});
}

TSoundData Synthesise(const QString& name) {
  if (name == "miau") {
    Synth s(700);
    s.Tone(
        0, 0.7,
        [](double u) { return 520 + 380 * std::sin(u * std::numbers::pi) + 20 * std::sin(u * 60); },
        [](double u) { return 0.5 * Fade(u); }, 4);
    return s.Data();
  }
  if (name == "ptaki") {
    Synth s(1600);
    for (int k = 0; k < 7; ++k) {
      const double t = 0.05 + k * 0.21 + (k % 2) * 0.04;
      s.Tone(
          t, t + 0.09, [k](double u) { return 2600 + 900 * u + 200 * (k % 3); },
          [](double u) { return 0.4 * std::sin(u * std::numbers::pi); });
    }
    return s.Data();
  }
  if (name == "wiatr") {
    Synth s(2000);
    s.Noise(
        0, 2.0,
        [](double u) {
          return 1.6 * std::sin(u * std::numbers::pi) * (0.6 + 0.4 * std::sin(u * 9));
        },
        0.02);
    return s.Data();
  }
  if (name == "dzwon" || name == "dzwonek") {
    const bool small = name == "dzwonek";
    Synth s(small ? 700 : 1800);
    const double f0 = small ? 1320 : 392, len = small ? 0.7 : 1.8;
    for (double ratio : {1.0, 2.0, 2.76, 5.4}) {
      s.Tone(
          0, len, [=](double) { return f0 * ratio; },
          [=](double u) { return 0.3 / ratio * std::exp(-u * 5) * std::min(1.0, u * 200); });
    }
    return s.Data();
  }
  if (name == "krowa") {
    Synth s(1300);
    s.Tone(
        0, 1.3, [](double u) { return 150 - 40 * u + 8 * std::sin(u * 30); },
        [](double u) { return 0.5 * Fade(u); }, 8);
    return s.Data();
  }
  if (name == "kura") {
    Synth s(800);
    for (int k = 0; k < 4; ++k)
      s.Tone(
          k * 0.18, k * 0.18 + 0.1, [k](double u) { return 700 + 300 * u + 80 * k; },
          [](double u) { return 0.4 * std::sin(u * std::numbers::pi); }, 5);
    return s.Data();
  }
  if (name == "kaczka") {
    Synth s(600);
    for (int k = 0; k < 2; ++k)
      s.Tone(
          k * 0.3, k * 0.3 + 0.22, [](double u) { return 420 - 120 * u; },
          [](double u) { return 0.45 * std::sin(u * std::numbers::pi); }, 9);
    return s.Data();
  }
  if (name == "zaba") {
    Synth s(700);
    for (int k = 0; k < 2; ++k)
      s.Tone(
          k * 0.28, k * 0.28 + 0.16,
          [](double u) { return 180 + 60 * std::sin(u * std::numbers::pi * 12); },
          [](double u) { return 0.5 * std::sin(u * std::numbers::pi); }, 6);
    return s.Data();
  }
  if (name == "plusk") {
    Synth s(900);
    s.Noise(
        0, 0.9, [](double u) { return 2.2 * std::exp(-u * 4) * std::min(1.0, u * 50); }, 0.3);
    s.Tone(
        0.05, 0.4, [](double u) { return 500 + 900 * u; },
        [](double u) { return 0.2 * std::sin(u * std::numbers::pi); });
    return s.Data();
  }
  if (name == "skrzyp") {
    Synth s(900);
    s.Tone(
        0, 0.9, [](double u) { return 240 + 180 * std::sin(u * std::numbers::pi * 1.5); },
        [](double u) { return 0.3 * Fade(u) * (0.6 + 0.4 * std::sin(u * 90)); }, 10);
    return s.Data();
  }
  if (name == "kroki") {
    Synth s(1000);
    for (int k = 0; k < 4; ++k)
      s.Noise(
          k * 0.25, k * 0.25 + 0.09, [](double u) { return 3.0 * std::exp(-u * 6); }, 0.08);
    return s.Data();
  }
  if (name == "gwar" || name == "kasa") {
    const bool till = name == "kasa";
    Synth s(till ? 700 : 1500);
    if (till) {
      s.Tone(
          0, 0.08, [](double) { return 1800; }, [](double u) { return 0.3 * (1 - u); });
      s.Tone(
          0.1, 0.7, [](double) { return 2640; }, [](double u) { return 0.3 * std::exp(-u * 5); },
          2);
    } else {
      for (int k = 0; k < 6; ++k)
        s.Tone(
            k * 0.22, k * 0.22 + 0.2,
            [k](double u) { return 180 + 40 * (k % 3) + 50 * std::sin(u * std::numbers::pi); },
            [](double u) { return 0.2 * std::sin(u * std::numbers::pi); }, 6);
    }
    return s.Data();
  }
  // Engines: "auto" and "silnik".
  Synth s(2000);
  const double base = name == "auto" ? 90 : 55;
  s.Tone(
      0, 2.0, [=](double u) { return base + 20 * u; },
      [](double u) { return 0.35 * Fade(u) * (0.7 + 0.3 * std::sin(u * 80)); }, 7);
  return s.Data();
}

}  // namespace

const QStringList& SoundEffectNames() {
  static const QStringList names{"miau", "ptaki",  "wiatr", "dzwon", "dzwonek", "krowa",
                                 "kura", "kaczka", "zaba",  "plusk", "skrzyp",  "kroki",
                                 "gwar", "kasa",   "auto",  "silnik"};
  return names;
}

TSoundData SoundEffect(const QString& name) {
  if (!SoundEffectNames().contains(name)) return {};
  return Synthesise(name);
}
