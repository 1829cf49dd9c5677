// Dialog templates 35 (the scope control window), 36 (the scope settings) and 37 (the scope comments).
#pragma once

#include "platform/win/win.h"

namespace app {

inline constexpr int kScopeControlTemplate = 35;
inline constexpr int kScopeCommentsTemplate = 37;

// Template 35.
inline constexpr int kScopeStateField = 1000;
inline constexpr int kScopeSettingsButton = 1001;
inline constexpr int kScopeCommentsButton = 1002;
inline constexpr int kScopeStartStopButton = 1003;
inline constexpr int kScopeReadButton = 1004;
inline constexpr int kScopeExportButton = 1005;

// Template 37: the five texts bound to list 10 (1035 is the end of the run).
inline constexpr int kCommentsFirst = 1030;
inline constexpr int kCommentsEnd = 1035;
inline constexpr int kCommentsRemark = 1034;

// Template 36: channel c's signal list is 1008 + 2c, its user code 1009 + 2c.
inline constexpr int kScopeSettingsTemplate = 36;
inline constexpr int kSettingsPeriod = 1005;
inline constexpr int kSettingsReleasing = 1006;
inline constexpr int kSettingsPretrigger = 1007;
inline constexpr int kSettingsFirstChannel = 1008;
inline constexpr int kSettingsRecordLength = 1024;
inline constexpr int kSettingsSamples = 1025;
inline constexpr int kSettingsTrigger = 1026;
inline constexpr int kSettingsTriggerCode = 1027;
inline constexpr int kSettingsLevel = 1028;
inline constexpr int kSettingsLevelUnit = 1029;

const DialogTemplate& ScopeControlTemplate();
const DialogTemplate& ScopeSettingsTemplate();
const DialogTemplate& ScopeCommentsTemplate();

}  // namespace app
