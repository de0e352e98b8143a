// The fixed gadget numbers of the main window.
#pragma once

namespace gadget {

// Page 0: calculator and output
inline constexpr int kProfileLabel = 0;
inline constexpr int kProfileCombo = 1;
inline constexpr int kCalculatorCheck = 2;
inline constexpr int kCalculatorFrame = 3;
inline constexpr int kTimeFrame = 4;
inline constexpr int kTimeUnitLabel = 5;
inline constexpr int kTimeUnitCombo = 6;
inline constexpr int kTimeLabel = 7;
inline constexpr int kTimeField = 8;
inline constexpr int kFrequencyFrame = 9;
inline constexpr int kFrequencyUnitLabel = 10;
inline constexpr int kFrequencyUnitCombo = 11;
inline constexpr int kFrequencyLabel = 12;
inline constexpr int kFrequencyField = 13;
inline constexpr int kWatchdogCheck = 14;
inline constexpr int kCyclesLabel = 15;
inline constexpr int kCyclesField = 16;
inline constexpr int kCalculateButton = 17;
inline constexpr int kOutputBox = 18;

inline constexpr int kPanel = 19;
inline constexpr int kPage0Container = 20;
inline constexpr int kPage1Container = 21;
inline constexpr int kPage2Container = 22;

// Page 1: profile editor
inline constexpr int kProfileListLabel = 23;
inline constexpr int kProfileList = 24;
inline constexpr int kNewButton = 25;
inline constexpr int kEditButton = 26;
inline constexpr int kDeleteButton = 27;
inline constexpr int kProfileNameLabel = 28;
inline constexpr int kProfileNameField = 29;
inline constexpr int kFamilyLabel = 30;
inline constexpr int kFamilyCombo = 31;
inline constexpr int kFirstRegisterLabel = 32;  // 32..39: register row n is 31 + n
inline constexpr int kLabelNameLabel = 40;
inline constexpr int kFirstRegisterField = 41;  // 41..48: register n is 40 + n
inline constexpr int kLabelField = 49;
inline constexpr int kOkButton = 50;
inline constexpr int kCancelButton = 51;
inline constexpr int kFirstAccessCombo = 52;  // 52..59: register n is 51 + n

// Page 2: About
inline constexpr int kBanner = 60;
inline constexpr int kAboutText = 61;
inline constexpr int kCreditLine = 62;
inline constexpr int kMailLink = 63;

// Below the panel
inline constexpr int kLanguageLabel = 64;
inline constexpr int kLanguageCombo = 65;

// Page 0, the row above the output box: the form of the delay and the subroutine's name
inline constexpr int kFormCombo = 66;  // item 0 block, 1 subroutine, 2 W-times subroutine
inline constexpr int kRoutineNameLabel = 67;
inline constexpr int kRoutineNameField = 68;
// Page 0, beside the watchdog box: declare the registers the code uses before it
inline constexpr int kDeclareCheck = 69;

inline constexpr int kPageCalculator = 0;
inline constexpr int kPageEditor = 1;
inline constexpr int kPageAbout = 2;

}  // namespace gadget
