#pragma once
// Registry keys and value names of Curvix, in one place.

inline constexpr const char* kProgramTitle = "QJ's Curvix";
inline constexpr const char* kMakerKey = "Software\\Vantor";
inline constexpr const char* kProgramKey = "Software\\Vantor\\QJ's Curvix";
inline constexpr const char* kMultiFileModeValue = "MultiFileMode";
inline constexpr const char* kProgramOptionsValue = "Program Options";
inline constexpr const char* kWinPositionsValue = "Win Positions and sizes";
inline constexpr const char* kSavedStateKey = "SavedState";
// The instance mutexes: this prefix and a digit 0 to 3.
inline constexpr const char* kInstanceMutexPrefix = "QJ's Curvix - ";
inline constexpr int kMaxInstances = 4;
