// The modality block of a target node, handed to the conjugators as one unit.
#pragma once

namespace cj {

struct CjModalities {
  char neg = 0;
  char neg1 = 0;
  char voi = 0;     // passive
  char ten = 'A';   // 'A' plain, 'B' past, 'C'
  char asp = 'A';
  char neng = 0;    // potential
  char shiyi = 0;   // causative (a letter when set)
  char yuanyi = 0;  // desire
};

}  // namespace cj
