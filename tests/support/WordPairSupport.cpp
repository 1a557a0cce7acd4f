#include "support/WordPairSupport.h"

#include "lib/Writers.h"
#include "platform/Paths.h"

TWordPairs SampleWordPairs(int count) {
  TWordPairs pairs;
  for (int n = 1; n <= count; ++n)
    pairs.Pairs.push_back({QStringLiteral("word%1").arg(n), QStringLiteral("słowo%1").arg(n)});
  return pairs;
}

void WriteSampleWordPairs(const QString& path, int count) {
  MakeParentDirs(path);
  SaveWordPairFile(path, SampleWordPairs(count));
  ClearPathCache();
}
