// Picture files, decoder chosen by extension: ".bmp" through Qt's BMP reader,
// ".jpg"/".jpeg" through libjpeg-turbo; anything else is an error. Pictures
// come back as 32-bit RGB images; errors (EInOutError) name the file.
#pragma once

#include <QImage>
#include <QString>

QImage LoadPicture(const QString& path);
// Decodes JPEG bytes; `name` only labels errors.
QImage DecodeJpeg(const QByteArray& bytes, const QString& name);
