// The recording device: open the capture device, record, stop, save the take
// as a wave file and close. Each step answers with an error text, empty when
// it worked, the way the device's commands report their errors. With SDL's
// dummy driver the take is silence recorded in real time.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <mutex>
#include <vector>

class TWaveRecorder {
 public:
  TWaveRecorder();
  ~TWaveRecorder();
  TWaveRecorder(const TWaveRecorder&) = delete;
  TWaveRecorder& operator=(const TWaveRecorder&) = delete;

  // Opens the capture device (mono, 16-bit, 22050 Hz or what the device gives).
  QString Open();
  // Starts a new take (the previous one is dropped).
  QString Record();
  QString Stop();
  // Writes the take as a 16-bit PCM wave file, whole or not at all; a take
  // still recording is stopped first.
  QString Save(const QString& path);
  // Stops recording and closes the device; the take is dropped.
  QString Close();

  bool IsOpen() const { return device_ != 0; }
  bool Recording() const { return recording_; }
  int Rate() const { return rate_; }
  int LengthMs() const;

  // Longest take kept; recording goes on but further sound is dropped.
  static constexpr int MaxTakeSeconds = 600;

 private:
  static void Callback(void* user, std::uint8_t* stream, int len);
  std::uint32_t device_ = 0;
  int rate_ = 22050;
  bool recording_ = false;
  QElapsedTimer started_;
  mutable std::mutex mutex_;
  std::vector<std::int16_t> take_;
};
