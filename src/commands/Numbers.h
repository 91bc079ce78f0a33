#pragma once
#include <string>

namespace quirnel {

class NameList;

// Numbers Only keeps the ASCII digits of every name part, Del. Numbers deletes them.
enum class Digits { Keep, Delete };
void FilterDigits(NameList& list, Digits digits);

// Match Digits: pads the last (73) or first (74) number of every name part
// with leading zeros to the minimum length in arg1 (at most 10).
void MatchDigits(NameList& list, int subCommand, const std::u16string& arg1);

// Add Numbers: appends or prepends a sequence number, counted in list order
// (83, 84) or separately per New Folder (85, 86). arg1 is the minimum length
// (at most 10), arg2 the first number (negative counts from 0).
void AddNumbers(NameList& list, int subCommand, const std::u16string& arg1, const std::u16string& arg2);

// Minimum digit lengths beyond what the input check allows are held to it.
constexpr int kMaxDigitLength = 10;

}  // namespace quirnel
