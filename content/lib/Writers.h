// Writers for the files an installation is made of. The content tool and the
// tests build installations with these same routines.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// Creates the directories above `path` (resolving existing ones without regard to case).
void MakeParentDirs(const QString& path);
// A Windows bitmap (24-bit) of `picture`.
void WriteBmp(const QString& path, const QImage& picture);
QByteArray BmpBytes(const QImage& picture);
// A picture of one colour.
void WriteSolidBmp(const QString& path, int width, int height, QColor color);
// Windows-1250 text with CR LF line ends.
void WriteTextLines(const QString& path, const QStringList& lines);
