// Readers that open files by name get each input through one temporary file,
// made once per run and rewritten for every input.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline QString FuzzInputDir() {
  static QTemporaryDir dir;
  if (!dir.isValid()) std::abort();
  return dir.path();
}

// Writes the input to `name` in the run's temporary directory; returns its path.
inline QString WriteFuzzInput(const uint8_t* data, size_t size, const QString& name) {
  const QString path = FuzzInputDir() + u'/' + name;
  std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return path;
}
