#pragma once
#include <functional>

// Counts the items of a list that can only be asked by index ("is there an
// item at index i?"), with few questions: for a list whose indexes 0..n-1
// answer yes, the result is n. A negative index always answers no.
int CountByProbing(const std::function<bool(int)>& probe);
