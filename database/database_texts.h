// SPDX-License-Identifier: AGPL-3.0-or-later
#pragma once

// The texts of the database windows and dialogs, in one place for the windows to use.

#include <string_view>

namespace quintaro {

inline constexpr std::string_view kDatabaseFolder = "/DatabaseFiles";
inline constexpr std::string_view kApdFilter = ".apd Database Files (*.apd) | *.apd";
inline constexpr std::string_view kApdSubsetFilter = ".apd Database Subset Files (*.apd) | *.apd";
inline constexpr std::string_view kCsvFilter = ".csv Files (*.csv) | *.csv";
inline constexpr std::string_view kTxtFilter = ".txt Files (*.txt) | *.txt";
inline constexpr std::string_view kChooseApdTitle = "Specify .apd database file";
inline constexpr std::string_view kLoadApdTitle = "Specify .apd database file to load";
inline constexpr std::string_view kSaveApdTitle = "Specify .apd database file to save";
inline constexpr std::string_view kSaveSubsetTitle = "Specify .apd subset database file to save";
inline constexpr std::string_view kChooseCsvTitle = "Specify .csv file";
inline constexpr std::string_view kLoadCsvTitle = "Specify .csv file to load";
inline constexpr std::string_view kSaveCsvTitle = "Specify .csv file to save";
inline constexpr std::string_view kChooseTxtTitle = "Specify .txt file";
inline constexpr std::string_view kLoadTxtTitle = "Specify .txt file to load";
inline constexpr std::string_view kSaveTxtTitle = "Specify .txt file to save";
inline constexpr std::string_view kBlankCountQuestion =
    "Enter how many blank records you wish to create:";
inline constexpr std::string_view kBlankCountTitle = "Number of records";
inline constexpr std::string_view kOverwriteQuestion =
    "You have chosen to overwrite data in the same file";
inline constexpr std::string_view kOverwriteTitle = "Overwrite data in same file?";
inline constexpr std::string_view kSearchCaption = "Search for specified company";
inline constexpr std::string_view kNoItemsTryAgain = "No items found. Please try again.";

}  // namespace quintaro
