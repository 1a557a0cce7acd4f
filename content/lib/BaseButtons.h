// Plain button strips for installations that have no demo sources behind them
// (the tests' installations): every screen finds all thirty strips.
#pragma once

#include <QString>

void WriteBaseButtonStrips(const QString& programDir);
