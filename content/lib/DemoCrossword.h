// The demo's crosswords:
//
//   crossword program\cwicz\farm\zwierzeta.fc3 [column=X] [top=Y] [spacing=N]
//     word CAT "Kot" solution=2
//
// Lines are laid out down the landscape so that every line's solution cell
// lies in one column at screen x = column, the first line's top at `top`.
#pragma once

#include "lib/DemoContext.h"

void CompileCrossword(TDemoContext& ctx, const TSourceNode& n);
