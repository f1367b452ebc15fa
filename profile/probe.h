#pragma once
#include <functional>

// Counts the items of a list that can only be asked by index ("is there an
// item at index i?"), with few questions: for a list whose indexes 0..n-1
// answer yes, the result is n. The probe is never asked about a negative
// index, nor about one of 2^30 or more (taken as no), so the result is at
// most 2^30 and the count ends for any answers at all.
int CountByProbing(const std::function<bool(int)>& probe);
