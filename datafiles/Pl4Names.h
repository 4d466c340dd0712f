#pragma once
// Variable names of binary PL4 files. A 16-byte variable record holds three
// unused bytes, a type digit '1' to '9' and two 6-byte blank-padded names;
// the digit decides the name's prefix ("v:", "c:", "s1:", ...).

#include <array>
#include <string>
#include <vector>

using Pl4Record = std::array<char, 16>;

// The prefixed name a record stands for; empty for an unknown type digit.
std::string pl4NameFromRecord(const char* record);

// The record that pl4NameFromRecord reads back as `name` (names as the PL4
// readers build them; shorter names are taken as padded with blanks).
Pl4Record pl4RecordFromName(const std::string& name);

// Frequency scans: the names of the group that starts at `index`, derived
// from names[index] by the output form (1 magnitude and angle, 2 real and
// imaginary part, 3 all four). Never writes past the end of `names`.
void pl4DeriveScanNames(std::vector<std::string>& names, std::size_t index, int form);
