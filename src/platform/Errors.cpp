#include "platform/Errors.h"

QString Located(const QString& file, int line, const QString& message) {
  if (file.isEmpty()) return message;
  if (line > 0) return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(message);
  return QStringLiteral("%1: %2").arg(file, message);
}
